// CPU time, event-loop wakeups and repaints of the program's window, first in
// the set-up state and then through a running match, beside the bare window
// doing the least a countdown must. Both run at once, each in its own process.
#include "barewindow.h"
#include "measure.h"

#include "window/frmVDTimer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Counts the paint events of the watched window's widgets, by widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
    }

    std::map<QString, long> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            const QString name = watched->objectName();
            ++painted[name.isEmpty() ? QString::fromLatin1(watched->metaObject()->className())
                                     : name];
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
};

struct Reading {
    std::int64_t wallNs = bench::monotonicNs();
    std::int64_t cpuNs = bench::processCpuNs();
    long switches = bench::threadVoluntarySwitches();
    long awakes = 0;
};

void print(const char* phase, const Reading& from, const Reading& to, const PaintCounter& paints)
{
    // The phase's closing timer is the benchmark's own wakeup, not the window's.
    const double seconds = double(to.wallNs - from.wallNs) / 1e9;
    long total = 0;
    std::string widgets;
    for (const auto& [name, count] : paints.painted) {
        total += count;
        if (!widgets.empty())
            widgets += ',';
        widgets += name.toStdString();
        widgets += ':';
        widgets += std::to_string(count);
    }
    std::printf("%s.seconds=%.3f\n", phase, seconds);
    std::printf("%s.cpu_ms_per_min=%.3f\n", phase,
                double(to.cpuNs - from.cpuNs) / 1e6 * 60 / seconds);
    std::printf("%s.awake_per_s=%.3f\n", phase, double(to.awakes - from.awakes - 1) / seconds);
    std::printf("%s.switches_per_s=%.3f\n", phase,
                double(to.switches - from.switches - 1) / seconds);
    std::printf("%s.paints=%ld\n", phase, total);
    std::printf("%s.painted=%s\n", phase, widgets.c_str());
}

int runChild(bool real, int setupMs, int matchMs)
{
    std::unique_ptr<QWidget> window;
    std::function<void()> start;
    if (real) {
        auto w = std::make_unique<frmVDTimer>();
        start = [p = w.get()] { p->cmdStart->click(); };
        window = std::move(w);
    } else {
        auto w = std::make_unique<BareWindow>();
        start = [p = w.get()] { p->startCountdown(); };
        window = std::move(w);
    }
    long awakes = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     window.get(), [&awakes] { ++awakes; });
    auto* paints = new PaintCounter(window.get());
    qApp->installEventFilter(paints);
    window->show();

    // The first showing settles, then each phase is read from end to end.
    Reading from;
    QTimer::singleShot(1000, window.get(), [&] {
        paints->painted.clear();
        from = Reading();
        from.awakes = awakes;
        QTimer::singleShot(setupMs, Qt::PreciseTimer, window.get(), [&] {
            Reading to;
            to.awakes = awakes;
            print("setup", from, to, *paints);
            start();
            QTimer::singleShot(500, window.get(), [&] {
                paints->painted.clear();
                from = Reading();
                from.awakes = awakes;
                QTimer::singleShot(matchMs, Qt::PreciseTimer, window.get(), [&] {
                    Reading to;
                    to.awakes = awakes;
                    print("match", from, to, *paints);
                    QCoreApplication::quit();
                });
            });
        });
    });
    QApplication::exec();
    std::printf("platform=%s\n", qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    return 0;
}

int runBoth(const char* self, int setupMs, int matchMs)
{
    using bench::figure;
    const std::string setup = std::to_string(setupMs);
    const std::string match = std::to_string(matchMs);
    const auto realChild = bench::spawn({self, "--child", "real", setup, match});
    const auto bareChild = bench::spawn({self, "--child", "bare", setup, match});
    const auto real = bench::parseFigures(bench::finish(realChild));
    const auto bare = bench::parseFigures(bench::finish(bareChild));

    std::printf("== Running cost, real window beside the bare window, run at once (%s platform)\n",
                real.at("platform").c_str());
    std::printf("   %-44s %12s %12s\n", "", "real window", "bare window");
    const auto row = [&](const char* label, const std::string& key, int decimals) {
        std::printf("   %-44s %12s %12s\n", label,
                    bench::format(figure(real, key), decimals).c_str(),
                    bench::format(figure(bare, key), decimals).c_str());
    };
    std::printf("   set-up state, %.0f s:\n", figure(real, "setup.seconds"));
    row("  wakeups per second (dispatcher awake)", "setup.awake_per_s", 2);
    row("  wakeups per second (GUI thread blocked)", "setup.switches_per_s", 2);
    row("  paint events of the window's widgets", "setup.paints", 0);
    row("  CPU ms per minute", "setup.cpu_ms_per_min", 1);
    std::printf("   running match, %.0f s (bare: a plain 1 s QTimer rewriting two labels):\n",
                figure(real, "match.seconds"));
    row("  CPU ms per minute", "match.cpu_ms_per_min", 1);
    row("  wakeups per second (dispatcher awake)", "match.awake_per_s", 2);
    row("  wakeups per second (GUI thread blocked)", "match.switches_per_s", 2);
    row("  paint events of the window's widgets", "match.paints", 0);
    std::printf("   widgets painted in the match, real: %s\n", real.at("match.painted").c_str());
    std::printf("   widgets painted in the match, bare: %s\n", bare.at("match.painted").c_str());
    if (!real.at("setup.painted").empty())
        std::printf("   widgets painted in the set-up state, real: %s\n",
                    real.at("setup.painted").c_str());

    const bool met =
        figure(real, "match.cpu_ms_per_min") <= 40 && figure(real, "setup.awake_per_s") <= 1.2 &&
        figure(real, "setup.switches_per_s") <= 1.2 && figure(real, "setup.paints") == 0;
    std::printf("   targets (match CPU <= 40 ms per minute, set-up wakeups <= 1.2 per second, "
                "no set-up paints): %s\n",
                met ? "met" : "MISSED");
    return met ? 0 : 3;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        if (argc == 5 && std::string(argv[1]) == "--child") {
            QApplication app(argc, argv);
            return runChild(std::string(argv[2]) == "real", std::stoi(argv[3]), std::stoi(argv[4]));
        }
        const int setupSeconds = argc > 1 ? std::stoi(argv[1]) : 20;
        const int matchSeconds = argc > 2 ? std::stoi(argv[2]) : 60;
        return runBoth(argv[0], setupSeconds * 1000, matchSeconds * 1000);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
