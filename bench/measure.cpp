#include "measure.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

std::int64_t read(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

} // namespace

std::int64_t monotonicNs()
{
    return read(CLOCK_MONOTONIC);
}

std::int64_t processCpuNs()
{
    return read(CLOCK_PROCESS_CPUTIME_ID);
}

long threadVoluntarySwitches()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

long peakRssKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::map<std::string, std::string> parseFigures(const std::string& text)
{
    std::map<std::string, std::string> figures;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            figures[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return figures;
}

double figure(const std::map<std::string, std::string>& figures, const std::string& key)
{
    const auto found = figures.find(key);
    if (found == figures.end())
        throw std::runtime_error("no figure " + key);
    return std::stod(found->second);
}

Child spawn(const std::vector<std::string>& argv)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (failed) {
        close(pipeFds[0]);
        throw std::runtime_error("cannot start " + argv[0]);
    }
    return {pid, pipeFds[0]};
}

std::string finish(Child child)
{
    int status = 0;
    waitpid(child.pid, &status, 0);
    std::string text;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(child.output, buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(count));
    close(child.output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("a benchmark child failed:\n" + text);
    return text;
}

std::string siblingPath(const char* argv0, const std::string& name)
{
    std::string path(argv0);
    const auto slash = path.rfind('/');
    return (slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1)) + name;
}

std::string format(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace bench
