// Startup to the first painted window and peak resident memory: the program's
// window against the bare window, each a process of its own, run in turn.
#include "measure.h"

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Variant {
    std::string name;
    std::string path;
    std::map<std::string, std::vector<double>> runs;
    std::string platform;
};

void runOnce(Variant& variant, bool keep)
{
    const std::int64_t spawnedNs = bench::monotonicNs();
    const auto figures =
        bench::parseFigures(bench::finish(bench::spawn({variant.path, std::to_string(spawnedNs)})));
    variant.platform = figures.at("platform");
    if (!keep)
        return;
    for (const char* key :
         {"main_ms", "app_ms", "window_ms", "paint_ms", "painted_ms", "cpu_ms", "peak_rss_kb"})
        variant.runs[key].push_back(bench::figure(figures, key));
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::stoi(argv[1]) : 9;
    Variant real{"real window", bench::siblingPath(argv[0], "startup_real"), {}, {}};
    Variant bare{"bare window", bench::siblingPath(argv[0], "startup_bare"), {}, {}};
    try {
        // One unmeasured run each fills the page cache and the font cache.
        runOnce(real, false);
        runOnce(bare, false);
        // Alternating which goes first, so that neither always follows the other.
        for (int i = 0; i < runs; ++i) {
            runOnce(i % 2 ? bare : real, true);
            runOnce(i % 2 ? real : bare, true);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }

    const auto med = [](Variant& v, const char* key) { return bench::median(v.runs[key]); };
    std::printf("== Startup and memory: medians of %d runs each, alternating (%s platform)\n", runs,
                real.platform.c_str());
    std::printf("   %-36s %12s %12s %7s\n", "", "real window", "bare window", "ratio");
    const struct {
        const char* key;
        const char* label;
    } rows[] = {{"main_ms", "spawn to main() (ms)"},
                {"app_ms", "spawn to QApplication ready (ms)"},
                {"window_ms", "spawn to window built (ms)"},
                {"paint_ms", "spawn to first paint event (ms)"},
                {"painted_ms", "spawn to first frame painted (ms)"},
                {"cpu_ms", "CPU time to first frame painted (ms)"}};
    for (const auto& row : rows)
        std::printf("   %-36s %12.1f %12.1f %7.2f\n", row.label, med(real, row.key),
                    med(bare, row.key), med(real, row.key) / med(bare, row.key));
    const double rssReal = med(real, "peak_rss_kb") / 1024;
    const double rssBare = med(bare, "peak_rss_kb") / 1024;
    std::printf("   %-36s %12.1f %12.1f %7.2f\n", "peak resident memory (MiB)", rssReal, rssBare,
                rssReal / rssBare);
    const double startupRatio = med(real, "painted_ms") / med(bare, "painted_ms");
    const bool met = startupRatio <= 1.2 && rssReal / rssBare <= 1.2;
    std::printf("   targets (startup and memory <= 1.2 x the bare window): %s\n",
                met ? "met" : "MISSED");
    return met ? 0 : 3;
}
