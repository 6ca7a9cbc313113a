// Startup of the program's own window, set up as main.cpp does it.
#include "measure.h"
#include "startupprobe.h"

#include "version.h"
#include "window/frmVDTimer.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto mainNs = bench::monotonicNs();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VI_PRODUCT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VI_VERSION_TEXT));
    const auto appNs = bench::monotonicNs();
    frmVDTimer window;
    return bench::probeStartup(window, argc, argv, mainNs, appNs);
}
