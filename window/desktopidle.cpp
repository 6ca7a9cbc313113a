// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktopidle.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QTimer>

namespace {

const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
constexpr uint idleFlag = 8;
// Time enough for the bus to start a desktop service on demand; later than
// that, the desktop counts as not answering.
constexpr int answerWithinMs = 10000;

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

bool sandboxed()
{
    return QFile::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP");
}

bool noSuchService(QDBusError::ErrorType type)
{
    return type == QDBusError::ServiceUnknown || type == QDBusError::UnknownObject ||
           type == QDBusError::UnknownInterface || type == QDBusError::UnknownMethod;
}

void closeRequest(const QString& request)
{
    bus().asyncCall(
        QDBusMessage::createMethodCall(portalService, request, requestInterface, "Close"));
}

} // namespace

DesktopIdle::DesktopIdle(QObject* parent, QString appId, QString reason)
    : QObject(parent)
    , m_appId(std::move(appId))
    , m_reason(std::move(reason))
    , m_usePortal(sandboxed())
{
}

// An answer still on its way is dropped with us; the desktop lets go of it
// when the program's connection closes.
DesktopIdle::~DesktopIdle()
{
    release();
}

void DesktopIdle::hold(const QString& window)
{
    m_wanted = true;
    m_window = window;
    if (!m_pending && !holding())
        send();
}

void DesktopIdle::release()
{
    m_wanted = false;
    if (!m_pending)
        settled();
}

void DesktopIdle::send()
{
    m_saidNo = false;
    if (!bus().isConnected()) {
        fail(false);
        return;
    }
    m_pending = true;
    if (m_usePortal)
        inhibitPortal();
    else
        inhibitScreenSaver();
}

void DesktopIdle::inhibitScreenSaver()
{
    QDBusMessage call = QDBusMessage::createMethodCall(screenSaverService, screenSaverPath,
                                                       screenSaverService, "Inhibit");
    call << m_appId << m_reason;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, answerWithinMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            if (noSuchService(reply.error().type()))
                m_usePortal = true;
            else
                m_saidNo = true;
            inhibitPortal();
            return;
        }
        m_pending = false;
        m_cookie = reply.value();
        settled();
    });
}

void DesktopIdle::inhibitPortal()
{
    const QString token = QStringLiteral("vizovidiz%1").arg(++m_tokens);
    // The portal makes its request object here, and may answer on it before
    // its reply to the call arrives: listen first.
    const QString sender = bus().baseService().mid(1).replace(u'.', u'_');
    listenTo(portalPath + QStringLiteral("/request/") + sender + u'/' + token);

    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       "org.freedesktop.portal.Inhibit", "Inhibit");
    call << m_window << idleFlag
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("reason"), m_reason}};
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, answerWithinMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) {
            listenTo({});
            fail(!noSuchService(reply.error().type()));
            return;
        }
        // An older portal names its request otherwise.
        const QString request = reply.value().path();
        if (request != m_listening && !m_listening.isEmpty())
            listenTo(request);
    });
    // A request the desktop never answers is withdrawn, under whichever name
    // the portal gave it.
    QTimer::singleShot(answerWithinMs, this, [this, call = m_tokens] {
        if (m_tokens != call || m_listening.isEmpty())
            return;
        closeRequest(m_listening);
        listenTo({});
        fail(true);
    });
}

void DesktopIdle::listenTo(const QString& request)
{
    const QString signal = QStringLiteral("Response");
    if (!m_listening.isEmpty())
        bus().disconnect({}, m_listening, requestInterface, signal, this,
                         SLOT(portalResponse(uint, QVariantMap)));
    m_listening = request;
    if (!request.isEmpty())
        bus().connect({}, request, requestInterface, signal, this,
                      SLOT(portalResponse(uint, QVariantMap)));
}

// The portal's answer: 0 when it holds, until the request is closed.
void DesktopIdle::portalResponse(uint response, const QVariantMap&)
{
    const QString request = m_listening;
    listenTo({});
    if (response != 0) {
        fail(true);
        return;
    }
    m_pending = false;
    m_request = request;
    settled();
}

// No call is under way: what the desktop holds follows what is wanted.
void DesktopIdle::settled()
{
    if (m_wanted)
        return;
    if (m_cookie) {
        QDBusMessage call = QDBusMessage::createMethodCall(screenSaverService, screenSaverPath,
                                                           screenSaverService, "UnInhibit");
        call << *m_cookie;
        bus().asyncCall(call);
        m_cookie.reset();
    }
    if (!m_request.isEmpty())
        closeRequest(std::exchange(m_request, {}));
}

void DesktopIdle::fail(bool saidNo)
{
    m_pending = false;
    emit refused(std::exchange(m_saidNo, false) || saidNo);
}
