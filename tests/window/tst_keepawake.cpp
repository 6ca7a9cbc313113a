// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The screen kept on exactly while a match runs, as a desktop sees it: stand-ins
// for the screen-saver service and the portal answer on a private session bus.
// On a screen: the offscreen platform keeps nothing on.
#include "windowfixture.h"

#include "window/keepawake.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>

namespace {

const QString appId = QStringLiteral("io.github.vizovidiz.vidavuz");
const QString reason = QStringLiteral("試合中");
const QString refusal = QStringLiteral("vizovidiz: the desktop did not agree to keep the screen on "
                                       "during the match; it may dim, lock or sleep as usual.");

// The desktop's side of the bus, on a connection of its own.
QDBusConnection desktopBus()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
}

} // namespace

class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList calls;
    QMap<uint, QString> held; // cookie: who and why
    bool refuse = false;
    bool answerLater = false;
    QList<QDBusMessage> unanswered;

public slots:
    uint Inhibit(const QString& application, const QString& why)
    {
        calls << QStringLiteral("Inhibit");
        if (refuse) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"));
            return 0;
        }
        const uint cookie = ++m_cookies;
        held.insert(cookie, application + u'|' + why);
        if (answerLater) {
            setDelayedReply(true);
            unanswered << message().createReply(cookie);
        }
        return cookie;
    }
    void UnInhibit(uint cookie)
    {
        calls << QStringLiteral("UnInhibit");
        held.remove(cookie);
    }
    void Ping() {}

private:
    uint m_cookies = 0;
};

// A standing request of the portal's: it holds until it is closed.
class FakeRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    FakeRequest(QObject* parent, QStringList& standing, QString path)
        : QObject(parent)
        , m_standing(standing)
        , m_path(std::move(path))
    {
        m_standing << m_path;
    }

public slots:
    void Close()
    {
        m_standing.removeOne(m_path);
        deleteLater();
    }

private:
    QStringList& m_standing;
    QString m_path;
};

// The portal's Inhibit, which answers on its request object at once.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")

public:
    uint response = 0;
    QStringList requests;      // the ones standing
    QList<QVariantList> asked; // window, flags, reason

public slots:
    QDBusObjectPath Inhibit(const QString& window, uint flags, const QVariantMap& options)
    {
        asked << QVariantList{window, flags, options.value(QStringLiteral("reason"))};
        const QString sender = message().service().mid(1).replace(u'.', u'_');
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender +
                             u'/' + options.value(QStringLiteral("handle_token")).toString();
        if (response == 0)
            desktopBus().registerObject(path, new FakeRequest(this, requests, path),
                                        QDBusConnection::ExportAllSlots);
        QDBusMessage answer = QDBusMessage::createSignal(path, "org.freedesktop.portal.Request",
                                                         QStringLiteral("Response"));
        answer << response << QVariantMap();
        desktopBus().send(answer);
        return QDBusObjectPath(path);
    }
};

class TestKeepAwake : public QObject {
    Q_OBJECT

    FakeScreenSaver* screenSaver = nullptr;

    // Every call the window made before this has reached the desktop, and
    // whatever it sends on the desktop's answers too.
    void settle()
    {
        for (int round = 0; round < 3; ++round) {
            const QDBusMessage ping = QDBusMessage::createMethodCall(
                desktopBus().baseService(), QStringLiteral("/org/freedesktop/ScreenSaver"),
                QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Ping"));
            QDBusPendingCallWatcher watcher(QDBusConnection::sessionBus().asyncCall(ping));
            QSignalSpy answered(&watcher, &QDBusPendingCallWatcher::finished);
            QVERIFY(answered.wait(5000));
        }
        screenSaver->calls.removeAll(QStringLiteral("Ping"));
    }

    void act(WindowFixture& f, const QString& action)
    {
        frmVDTimer& w = *f.w;
        if (action == u"start")
            f.start("2", "50", "120");
        else if (action == u"short")
            f.start("1", "0.05", "120");
        else if (action == u"bad")
            f.start("5", "50", "120");
        else if (action == u"turn")
            QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton);
        else if (action == u"pause")
            QTest::mouseClick(w.cmdPause, Qt::LeftButton);
        else if (action == u"end")
            QTest::mouseClick(w.cmdEnd, Qt::LeftButton);
        else if (action == u"tick")
            f.tick();
        else if (action == u"timeup")
            for (int i = 0; i < 10 && !w.cmdStart->isEnabled(); ++i)
                f.tick();
        else
            QFAIL("unknown action");
    }

private slots:
    void init()
    {
        screenSaver = new FakeScreenSaver;
        QVERIFY(desktopBus().registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                            screenSaver, QDBusConnection::ExportAllSlots));
        QVERIFY(desktopBus().registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    void cleanup()
    {
        desktopBus().unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        desktopBus().unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
        delete std::exchange(screenSaver, nullptr);
    }

    void heldExactlyWhileRunning_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("held");
        const QString in = QStringLiteral("Inhibit"), un = QStringLiteral("UnInhibit");
        QTest::newRow("set-up") << QStringList{} << QStringList{} << false;
        QTest::newRow("start") << QStringList{"start"} << QStringList{in} << true;
        QTest::newRow("ticks and turn ends")
            << QStringList{"start", "tick", "turn", "tick", "turn"} << QStringList{in} << true;
        QTest::newRow("pause") << QStringList{"start", "pause"} << QStringList{in, un} << false;
        QTest::newRow("ticks while paused")
            << QStringList{"start", "pause", "tick", "tick"} << QStringList{in, un} << false;
        QTest::newRow("resume") << QStringList{"start", "pause", "pause"} << QStringList{in, un, in}
                                << true;
        QTest::newRow("time used up")
            << QStringList{"short", "timeup"} << QStringList{in, un} << false;
        QTest::newRow("ended") << QStringList{"start", "end"} << QStringList{in, un} << false;
        QTest::newRow("ended while paused")
            << QStringList{"start", "pause", "end"} << QStringList{in, un} << false;
        QTest::newRow("refused setting") << QStringList{"bad"} << QStringList{} << false;
        QTest::newRow("second match")
            << QStringList{"start", "end", "start"} << QStringList{in, un, in} << true;
    }

    void heldExactlyWhileRunning()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, calls);
        QFETCH(bool, held);
        WindowFixture f;
        for (const QString& action : actions) {
            act(f, action);
            settle();
        }
        QCOMPARE(screenSaver->calls, calls);
        QCOMPARE(f.w->keepAwake->isHeld(), held);
        QCOMPARE(screenSaver->held.values(),
                 held ? QStringList{appId + u'|' + reason} : QStringList{});
    }

    // The program ends with its window, in any state.
    void closingTheWindowLetsGo()
    {
        auto f = std::make_unique<WindowFixture>();
        act(*f, QStringLiteral("start"));
        settle();
        QCOMPARE(screenSaver->held.size(), 1);
        f.reset();
        settle();
        QVERIFY(screenSaver->held.isEmpty());
    }

    // A desktop slow to answer holds up nothing, and an answer that comes
    // after the pause is given back.
    void lateAnswerAfterPause()
    {
        screenSaver->answerLater = true;
        WindowFixture f;
        act(f, QStringLiteral("start"));
        settle();
        f.tick(3);
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("49：57"));
        act(f, QStringLiteral("pause"));
        settle();
        QCOMPARE(screenSaver->calls, QStringList{QStringLiteral("Inhibit")});
        for (const QDBusMessage& answer : std::exchange(screenSaver->unanswered, {}))
            desktopBus().send(answer);
        settle();
        QCOMPARE(screenSaver->calls, (QStringList{"Inhibit", "UnInhibit"}));
        QVERIFY(screenSaver->held.isEmpty());
    }

    // No screen-saver service: the portal, which may hold or say no.
    void portal_data()
    {
        QTest::addColumn<uint>("response");
        QTest::newRow("holds") << 0u;
        QTest::newRow("says no") << 2u;
    }

    void portal()
    {
        QFETCH(uint, response);
        cleanup();
        FakePortal portal;
        portal.response = response;
        QVERIFY(desktopBus().registerObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                            &portal, QDBusConnection::ExportAllSlots));
        QVERIFY(desktopBus().registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        screenSaver = new FakeScreenSaver; // only for settle()'s pings
        desktopBus().registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), screenSaver,
                                    QDBusConnection::ExportAllSlots);
        if (response != 0)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refusal));

        WindowFixture f;
        act(f, QStringLiteral("start"));
        settle();
        QCOMPARE(portal.asked.size(), 1);
        const QVariantList asked = portal.asked.at(0);
        QCOMPARE(asked.at(0).toString(),
                 QStringLiteral("x11:") + QString::number(f.w->winId(), 16));
        QCOMPARE(asked.mid(1), (QVariantList{8u, reason}));
        QCOMPARE(portal.requests.size(), response == 0 ? 1 : 0);
        act(f, QStringLiteral("pause"));
        settle();
        QVERIFY(portal.requests.isEmpty());

        desktopBus().unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
        desktopBus().unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                      QDBusConnection::UnregisterTree);
    }

    // Where no desktop holds, the match goes on, and the player hears of it once.
    void refusalSaidOnce()
    {
        screenSaver->refuse = true;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refusal));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("vizovidiz")));
        WindowFixture f;
        for (const char* action : {"start", "tick", "pause", "pause", "tick", "end", "start"}) {
            act(f, QString::fromLatin1(action));
            settle();
        }
        QCOMPARE(screenSaver->calls, (QStringList{"Inhibit", "Inhibit", "Inhibit"}));
        f.tick();
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("49：59"));
    }
};

QTEST_MAIN(TestKeepAwake)
#include "tst_keepawake.moc"
