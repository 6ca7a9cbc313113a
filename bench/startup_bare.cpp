// Startup of the bare window with the same widgets and fonts: the baseline.
#include "barewindow.h"
#include "measure.h"
#include "startupprobe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto mainNs = bench::monotonicNs();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VI-Davuz"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    const auto appNs = bench::monotonicNs();
    BareWindow window;
    return bench::probeStartup(window, argc, argv, mainNs, appNs);
}
