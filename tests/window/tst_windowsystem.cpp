// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the desktop may do to the window: the platform the program asks Qt for
// before it starts, and a window that stays at its size when something
// maximises it anyway.
#include "windowfixture.h"
#include "windowstate.h"

#include "window/startup.h"

#include <QHash>
#include <QResizeEvent>
#include <QSet>
#include <QWindow>

namespace {

// The states and sizes a window takes, as the window itself hears of them.
class StateLog : public QObject {
public:
    explicit StateLog(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

    QList<Qt::WindowStates> states;
    QList<QSize> sizes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::WindowStateChange)
            states << m_window->windowState();
        if (watched == m_window && event->type() == QEvent::Resize)
            sizes << static_cast<QResizeEvent*>(event)->size();
        return false;
    }

private:
    QWidget* m_window;
};

// The widgets of a window that have been drawn since the log began.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* window)
        : QObject(window)
    {
        watched << window << window->findChildren<QWidget*>();
        for (QWidget* widget : std::as_const(watched))
            widget->installEventFilter(this);
    }

    QStringList undrawn() const
    {
        QStringList names;
        for (QWidget* widget : watched)
            if (widget->isVisible() && !painted.contains(widget))
                names << widget->objectName();
        return names;
    }

    QList<QWidget*> watched;
    QSet<QObject*> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

} // namespace

class TestWindowSystem : public QObject {
    Q_OBJECT

private slots:
    void preferredPlatform_data()
    {
        QTest::addColumn<QString>("qt");
        QTest::addColumn<QStringList>("environment"); // NAME=value
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("platform"); // empty: Qt's own choice
        const QStringList gnome{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0",
                                "DISPLAY=:0"};
        const QString xwayland = QStringLiteral("xcb;wayland");
        QTest::newRow("Qt 6.4, Wayland session with XWayland")
            << "6.4.2" << gnome << QStringList() << xwayland;
        QTest::newRow("Qt 6.7, only WAYLAND_DISPLAY says Wayland")
            << "6.7.3" << QStringList{"WAYLAND_DISPLAY=wayland-1", "DISPLAY=:1"} << QStringList()
            << xwayland;
        QTest::newRow("Qt 6.4, Wayland without an X server")
            << "6.4.2" << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0"}
            << QStringList() << QString();
        QTest::newRow("Qt 6.4, X11 session")
            << "6.4.2" << QStringList{"XDG_SESSION_TYPE=x11", "DISPLAY=:0"} << QStringList()
            << QString();
        QTest::newRow("Qt 6.8, Wayland session") << "6.8.0" << gnome << QStringList() << QString();
        QTest::newRow("Qt 6.11, Wayland session")
            << "6.11.2" << gnome << QStringList() << QString();
        QTest::newRow("Qt 6.4, QT_QPA_PLATFORM=wayland")
            << "6.4.2" << gnome + QStringList{"QT_QPA_PLATFORM=wayland"} << QStringList()
            << QString();
        QTest::newRow("Qt 6.4, -platform wayland")
            << "6.4.2" << gnome << QStringList{"-platform", "wayland"} << QString();
        QTest::newRow("Qt 6.4, --platform wayland")
            << "6.4.2" << gnome << QStringList{"--platform", "wayland"} << QString();
        QTest::newRow("Qt 6.4, an empty QT_QPA_PLATFORM chooses nothing")
            << "6.4.2" << gnome + QStringList{"QT_QPA_PLATFORM="} << QStringList() << xwayland;
    }

    void preferredPlatform()
    {
        QFETCH(QString, qt);
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QString, platform);
        QHash<QByteArray, QByteArray> variables;
        for (const QString& setting : environment)
            variables.insert(setting.section(u'=', 0, 0).toUtf8(),
                             setting.section(u'=', 1).toUtf8());
        QList<QByteArray> argv{"vizovidiz"};
        for (const QString& argument : arguments)
            argv << argument.toUtf8();
        const QByteArray chosen = startup::preferredPlatform(
            QVersionNumber::fromString(qt), argv,
            [&variables](const char* name) { return variables.value(name); });
        QCOMPARE(QString::fromUtf8(chosen), platform);
    }

    // Maximised or made full screen by the widget's own call, or by the window
    // system (as a compositor's action or Qt's own title bar reaches it), the
    // window is back at its size at once, and a match under way goes on as it was.
    void staysAtItsSize_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("byWindowSystem");
        QTest::newRow("maximised by the window system") << int(Qt::WindowMaximized) << true;
        QTest::newRow("full screen by the window system") << int(Qt::WindowFullScreen) << true;
        QTest::newRow("showMaximized") << int(Qt::WindowMaximized) << false;
        QTest::newRow("showFullScreen") << int(Qt::WindowFullScreen) << false;
    }

    void staysAtItsSize()
    {
        QFETCH(int, state);
        QFETCH(bool, byWindowSystem);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("3", "10", "30");
        f.tick(40); // player 1 has run over
        const QStringList before = windowState(w);
        const QPoint place = w.pos();

        const auto grown = Qt::WindowState(state);
        StateLog log(&w);
        if (byWindowSystem)
            w.windowHandle()->setWindowStates(grown);
        else if (grown == Qt::WindowMaximized)
            w.showMaximized();
        else
            w.showFullScreen();
        QTRY_VERIFY(log.states.size() >= 2 && log.states.last() == Qt::WindowNoState);
        // The window system's late word on a state it was asked for undoes nothing.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(log.states.first(), Qt::WindowStates(grown));
        QCOMPARE(log.states.last(), Qt::WindowNoState);
        QCOMPARE(w.windowHandle()->windowStates(), Qt::WindowNoState);
        QCOMPARE(w.windowState(), Qt::WindowNoState);
        QCOMPARE(w.size(), QSize(276, 411));
        QCOMPARE(w.pos(), place);
        // Then the window system takes some of it back, as GNOME's title bar
        // does when it returns inside the window's size: the size comes back.
        w.windowHandle()->resize(274, 371);
        QTRY_VERIFY(log.sizes.contains(QSize(274, 371)));
        QTRY_COMPARE(w.size(), QSize(276, 411));
        QCOMPARE(windowState(w), before);

        // The clock goes on from where it was.
        f.tick();
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("9\uFF1A19"));
        QCOMPARE(basVDTimer::intLossTime(1), qint16(11));
    }

    // Where only the borders of Qt's own title bar change (Wayland), the window
    // keeps its size and nothing would draw it again: back from a grown state,
    // it draws every control, not only those the next tick changes.
    void drawnWholeAfterwards_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("maximised") << int(Qt::WindowMaximized);
        QTest::newRow("full screen") << int(Qt::WindowFullScreen);
    }

    void drawnWholeAfterwards()
    {
        QFETCH(int, state);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("3", "10", "30");
        f.tick(2);
        const QRect geometry = w.geometry();
        QCoreApplication::processEvents();
        PaintLog log(&w);
        // The state as the window system reports it, with no new geometry.
        w.overrideWindowState(Qt::WindowStates(state));
        QTRY_COMPARE(w.windowState(), Qt::WindowNoState);
        QCOMPARE(w.geometry(), geometry);
        QTRY_VERIFY2(log.undrawn().isEmpty(),
                     qPrintable(QStringLiteral("not drawn again: ") + log.undrawn().join(u", ")));
    }
};

QTEST_MAIN(TestWindowSystem)
#include "tst_windowsystem.moc"
