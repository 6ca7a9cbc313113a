// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Startup to the first painted frame and peak resident memory: the program's
// window against the bare window, each in a process of its own, in turns.
#include "barewindow.h"
#include "benchutil.h"
#include "callgrind.h"

#include "window/frmVDTimer.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

// Quits the event loop once the window's first paint has been handled, that
// is, once the first frame is on screen.
class FirstPaint : public QObject {
public:
    using QObject::QObject;
    std::int64_t paintedNs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paintedNs == 0)
            QTimer::singleShot(0, this, [this] {
                paintedNs = bench::nowNs();
                bench::callgrind::endPhase("startup");
                QCoreApplication::quit();
            });
        return QObject::eventFilter(watched, event);
    }
};

int runChild(int argc, char* argv[])
{
    const std::int64_t spawnedNs = std::stoll(argv[3]);
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (qstrcmp(argv[2], "real") == 0)
        window = std::make_unique<frmVDTimer>();
    else
        window = std::make_unique<BareWindow>();
    FirstPaint probe;
    window->installEventFilter(&probe);
    window->show();
    QApplication::exec();
    bench::printFigure("painted_ms", double(probe.paintedNs - spawnedNs) / 1e6);
    bench::printFigure("cpu_ms", double(bench::processCpuNs()) / 1e6);
    bench::printFigure("peak_rss_kb", double(bench::peakRssKb()));
    return probe.paintedNs ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::vector<double> real[3], bare[3];
    bench::Figures countedReal, countedBare;
    const char* keys[3] = {"painted_ms", "cpu_ms", "peak_rss_kb"};
    try {
        // One unmeasured run each fills the page cache and the font cache, then
        // they alternate, so that neither always follows the other.
        for (int i = -1; i < runs; ++i) {
            for (const bool isReal : {i % 2 == 0, i % 2 != 0}) {
                const QString variant = isReal ? QStringLiteral("real") : QStringLiteral("bare");
                const auto figures = bench::Child({QStringLiteral("--child"), variant,
                                                   QString::number(bench::nowNs())})
                                         .finish();
                for (int k = 0; i >= 0 && k < 3; ++k)
                    (isReal ? real : bare)[k].push_back(
                        bench::number(figures, QLatin1String(keys[k])));
            }
        }
        // And once each under callgrind, both at once: the instructions from
        // spawn to the first frame, which tell where a change in time comes from.
        const auto count = [](const char* variant) {
            return std::make_unique<bench::callgrind::Counted>(
                QStringList{QStringLiteral("--child"), QLatin1String(variant),
                            QString::number(bench::nowNs())},
                true);
        };
        const auto realCount = count("real");
        const auto bareCount = count("bare");
        countedReal = realCount->finish();
        countedBare = bareCount->finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }

    // Each ratio is the median of those of the runs taken one after the other:
    // the two runs of a pair meet the same load on the machine, which moves.
    const auto report = [&](const char* label, int k, double scale, double target) {
        std::vector<double> ratios;
        for (int i = 0; i < runs; ++i)
            ratios.push_back(real[k][i] / bare[k][i]);
        return bench::reportRatio(label, bench::median(real[k]) / scale,
                                  bench::median(bare[k]) / scale, bench::median(ratios), target, 1);
    };
    std::printf("== Startup and memory: medians of %d runs each, alternating; ratios run by run "
                "(%s platform)\n",
                runs, qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM")));
    std::printf("   %-40s %10s %10s %7s\n", "", "window", "bare", "ratio");
    bool met = report("spawn to first frame painted (ms)", 0, 1, 1.05);
    report("CPU time to first frame painted (ms)", 1, 1, -1);
    met &= report("peak resident memory (MiB)", 2, 1024, 1.2);
    const QString startup = QStringLiteral("instructions.startup");
    bench::reportRatio("instructions to first frame (M), once",
                       bench::number(countedReal, startup) / 1e6,
                       bench::number(countedBare, startup) / 1e6, -1, 2);
    return met ? 0 : 3;
}
