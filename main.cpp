// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "version.h"
#include "window/frmVDTimer.h"
#include "window/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    startup::choosePlatform(argc, argv);
    startup::watchWindowSystem();
    QApplication app(argc, argv);
    startup::windowSystemReady();
    startup::checkJapaneseFont();

    QApplication::setApplicationName(QStringLiteral(VI_PRODUCT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VI_VERSION_TEXT));
    // Lets the desktop tie the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VI_APP_ID));

    frmVDTimer window;
    window.show();
    return QApplication::exec();
}
