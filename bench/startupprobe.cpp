#include "startupprobe.h"

#include "measure.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <string>

namespace bench {

namespace {

// Catches the window's first paint; the frame is on screen once the event
// that carried it has been handled, so the figure is taken one turn later.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QObject* parent)
        : QObject(parent)
    {
    }

    std::int64_t paintNs = 0;
    std::int64_t paintedNs = 0;
    std::int64_t cpuNs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paintNs == 0) {
            paintNs = monotonicNs();
            QTimer::singleShot(0, this, [this] {
                paintedNs = monotonicNs();
                cpuNs = processCpuNs();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

double msSince(std::int64_t origin, std::int64_t at)
{
    return double(at - origin) / 1e6;
}

} // namespace

int probeStartup(QWidget& window, int argc, char* argv[], std::int64_t mainNs, std::int64_t appNs)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SPAWN_MONOTONIC_NS\n", argv[0]);
        return 2;
    }
    const std::int64_t spawnedNs = std::stoll(argv[1]);
    const std::int64_t windowNs = monotonicNs();
    auto* probe = new FirstPaint(&window);
    window.installEventFilter(probe);
    window.show();
    QApplication::exec();
    if (probe->paintedNs == 0)
        return 2;
    std::printf("platform=%s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("main_ms=%.3f\n", msSince(spawnedNs, mainNs));
    std::printf("app_ms=%.3f\n", msSince(spawnedNs, appNs));
    std::printf("window_ms=%.3f\n", msSince(spawnedNs, windowNs));
    std::printf("paint_ms=%.3f\n", msSince(spawnedNs, probe->paintNs));
    std::printf("painted_ms=%.3f\n", msSince(spawnedNs, probe->paintedNs));
    std::printf("cpu_ms=%.3f\n", double(probe->cpuNs) / 1e6);
    std::printf("peak_rss_kb=%ld\n", peakRssKb());
    std::fflush(stdout);
    return 0;
}

} // namespace bench
