#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Readings the benchmarks take of their own process, and small statistics.
namespace bench {

// CLOCK_MONOTONIC, the clock std::chrono::steady_clock reads, in nanoseconds.
std::int64_t monotonicNs();
// CPU time of every thread of this process.
std::int64_t processCpuNs();
// Times the calling thread blocked and was woken again.
long threadVoluntarySwitches();
// Peak resident memory of this process (VmHWM).
long peakRssKb();

template <typename T> double median(std::vector<T> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? double(values[mid]) : (double(values[mid - 1]) + values[mid]) / 2;
}

// "key=value" lines, as the child programs print their figures.
std::map<std::string, std::string> parseFigures(const std::string& text);
double figure(const std::map<std::string, std::string>& figures, const std::string& key);

// Runs a program with its standard output into a pipe. The children print
// little, so reading after they end cannot fill the pipe.
struct Child {
    int pid = -1;
    int output = -1;
};
Child spawn(const std::vector<std::string>& argv);
// Waits for the child and returns what it printed; throws if it failed.
std::string finish(Child child);

std::string siblingPath(const char* argv0, const std::string& name);
std::string format(double value, int decimals);

} // namespace bench
