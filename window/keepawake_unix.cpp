// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping the screen on, on the free desktops.
#include "keepawake.h"

#include "desktopidle.h"
#include "match/messages.h"
#include "version.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/screensaver.h>
#endif

namespace {

// The X server's own screen saver, which bare window managers and their
// lockers (xss-lock, xautolock) follow. The server counts a suspension per
// connection and ends it with the connection.
bool suspendXSaver(bool suspend)
{
#if QT_CONFIG(xcb)
    // The offscreen platform speaks for X too, with no connection behind it.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != u"xcb")
        return false;
    xcb_connection_t* connection = x11->connection();
    if (!connection)
        return false;
    const xcb_query_extension_reply_t* saver =
        xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!saver || !saver->present)
        return false;
    xcb_screensaver_suspend(connection, suspend ? 1 : 0);
    xcb_flush(connection);
    return true;
#else
    Q_UNUSED(suspend);
    return false;
#endif
}

// The portal's name for the window, where it has one.
QString portalWindow(QWidget* window)
{
    if (QGuiApplication::platformName() == u"xcb")
        return QStringLiteral("x11:") + QString::number(window->winId(), 16);
    return {};
}

} // namespace

KeepAwake::~KeepAwake()
{
    if (m_xSaverSuspended)
        suspendXSaver(false);
}

void KeepAwake::hold()
{
    m_xSaverSuspended = suspendXSaver(true);
    if (!m_desktop) {
        m_desktop = new DesktopIdle(this, QStringLiteral(VI_APP_ID),
                                    QString::fromUtf16(messages::keepAwakeReason));
        connect(m_desktop, &DesktopIdle::refused, this, [this](bool saidNo) {
            // Where the X server's saver is all there is, it is enough.
            if (saidNo || !m_xSaverSuspended)
                refused();
        });
    }
    m_desktop->hold(portalWindow(m_window));
}

void KeepAwake::release()
{
    if (m_xSaverSuspended)
        m_xSaverSuspended = !suspendXSaver(false);
    if (m_desktop)
        m_desktop->release();
}
