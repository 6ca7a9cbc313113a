#pragma once

#include <cstdint>

class QWidget;

namespace bench {

// Shows the window, runs the event loop until the window's first paint has
// been flushed, prints the startup figures as "key=value" lines and returns.
// argv[1] is the parent's CLOCK_MONOTONIC reading just before it spawned us.
int probeStartup(QWidget& window, int argc, char* argv[], std::int64_t mainNs, std::int64_t appNs);

} // namespace bench
