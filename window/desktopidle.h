// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

// Asks the free desktops, over the session bus, not to let the session go
// idle: org.freedesktop.ScreenSaver (GNOME through gsd-screensaver-proxy,
// Plasma, Xfce, MATE, Cinnamon, LXQt), or the portal's Inhibit inside a
// sandbox and where no such service is on the bus. Every call is
// asynchronous, one at a time: a slow or hung desktop never holds up the
// event thread, and an answer that comes after the match stopped is given
// back at once.
class DesktopIdle : public QObject {
    Q_OBJECT

public:
    DesktopIdle(QObject* parent, QString appId, QString reason);
    ~DesktopIdle() override;

    // window: the portal's parent window ("x11:<id>", or empty).
    void hold(const QString& window);
    void release();

    // The desktop has said it holds.
    bool holding() const { return m_cookie.has_value() || !m_request.isEmpty(); }

signals:
    // Neither interface holds. saidNo: a desktop service was there and said
    // no or never answered, rather than none being there at all.
    void refused(bool saidNo);

private slots:
    void portalResponse(uint response, const QVariantMap& results);

private:
    void send();
    void inhibitScreenSaver();
    void inhibitPortal();
    void listenTo(const QString& request);
    void settled();
    void fail(bool saidNo);

    QString m_appId;
    QString m_reason;
    QString m_window;
    bool m_usePortal = false;
    bool m_wanted = false;
    bool m_pending = false;
    bool m_saidNo = false; // by the screen-saver service, in the call under way
    std::optional<uint> m_cookie;
    QString m_request;   // the portal's request, which holds until it is closed
    QString m_listening; // the request whose answer is awaited
    int m_tokens = 0;
};
