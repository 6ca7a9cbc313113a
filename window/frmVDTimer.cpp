// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmVDTimer.h"

#include "announcer.h"
#include "colors.h"
#include "keepawake.h"
#include "keyguard.h"
#include "layout.h"
#include "match/basVDTimer.h"
#include "version.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QVersionNumber>
#include <QWindow>

frmVDTimer::frmVDTimer(QWidget* parent, PeriodicTimer::Clock clock)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmVDTimer"));
    setWindowTitle(QStringLiteral(VI_DISPLAY_NAME " Ver" VI_VERSION_TEXT));
    // The .ico's two images, as PNG: an .ico costs an image plugin and the
    // decoding of its every image before the first frame.
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/window-icon-32.png")));
    icon.addPixmap(QPixmap(QStringLiteral(":/window-icon-16.png")));
    setWindowIcon(icon);
    resize(layout::clientSize);
    // Qt's own title bar on Wayland offers to maximise whatever the flags say,
    // and before Qt 6.8 a window of fixed size that was maximised lost its
    // connection to the compositor (6.8 takes the new size). Such a Qt goes
    // through XWayland where it can (startup::choosePlatform); where it cannot,
    // the window may grow for a moment instead, until keepDesignSize() runs.
    if (QGuiApplication::platformName().startsWith(u"wayland") &&
        QLibraryInfo::version() < QVersionNumber(6, 8)) {
        setMinimumSize(layout::clientSize);
    } else {
        // Fixed: the title bar offers no maximise button where the flags count.
        setFixedSize(layout::clientSize);
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);
    }

    Announcer::installRole();
    Controls& controls = *this;
    controls = layout::build(this);
    cmdStart->setDefault(true);
    // Only buttons and text boxes take the focus, in this order.
    QWidget::setTabOrder(cmdTurnEnd, cmdStart);
    QWidget::setTabOrder(cmdStart, cmdPause);
    QWidget::setTabOrder(cmdPause, cmdEnd);
    QWidget::setTabOrder(cmdEnd, txtGameJoken);
    QWidget::setTabOrder(txtGameJoken, txtTurnJoken);
    QWidget::setTabOrder(txtTurnJoken, txtPlayer);

    Timer1 = new PeriodicTimer(this, std::chrono::seconds(1), std::move(clock));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    m_announcer = new Announcer(this);
    // A turn-end key that comes a moment too late must not wipe the results.
    const auto now = [timer = Timer1] { return timer->now(); };
    m_startGuard = new KeyGuard(cmdStart, now, std::chrono::seconds(2));
    keepAwake = new KeepAwake(this);
    wireHandlers();

    Form_Load();
    Timer1->start();
    cmdStart->setFocus();
}

void frmVDTimer::wireHandlers()
{
    connect(cmdStart, &QPushButton::clicked, this, &frmVDTimer::cmdStart_Click);
    connect(cmdPause, &QPushButton::clicked, this, &frmVDTimer::cmdPause_Click);
    connect(cmdTurnEnd, &QPushButton::clicked, this, &frmVDTimer::cmdTurnEnd_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmVDTimer::cmdEnd_Click);
    connect(Timer1, &PeriodicTimer::timeout, this, &frmVDTimer::Timer1_Timer);
    // Enter in a setting starts the match, as the default button of a dialog would.
    for (QLineEdit* box : {txtPlayer, txtGameJoken, txtTurnJoken})
        connect(box, &QLineEdit::returnPressed, cmdStart, &QPushButton::click);
}

void frmVDTimer::Form_Load()
{
    basVDTimer::strPause = QStringLiteral("OFF");
    basVDTimer::lngDefaultColor = backColor(lblGameJoken);
}

void frmVDTimer::changeEvent(QEvent* event)
{
    // The window hears of a new palette before its controls take it.
    if (event->type() == QEvent::PaletteChange)
        QMetaObject::invokeMethod(this, &frmVDTimer::followPalette, Qt::QueuedConnection);
    // Its layout is fixed, whatever maximised it: a title bar's double-click,
    // the compositor or a script. After the change, not inside it.
    if (event->type() == QEvent::WindowStateChange && (windowState() & grownStates))
        QMetaObject::invokeMethod(this, &frmVDTimer::keepDesignSize, Qt::QueuedConnection);
    QWidget::changeEvent(event);
}

void frmVDTimer::keepDesignSize()
{
    if (!(windowState() & grownStates))
        return;
    m_sizeCorrections = 3;
    setWindowState(windowState() & ~grownStates);
    resize(layout::clientSize);
    // Qt's own title bar (Wayland) gets its borders back while the window keeps
    // its size: nothing then draws the window, nor the title, again, and the
    // next tick draws its two labels alone into a new, empty buffer. Once the
    // compositor has given the size back, draw both whole; twice, no more.
    for (const int ms : {100, 400})
        QTimer::singleShot(ms, this, &frmVDTimer::redrawAfterRestore);
}

void frmVDTimer::redrawAfterRestore()
{
    if (windowState() & grownStates)
        return;
    // The same title again: the platform window marks its title bar for drawing.
    if (QWindow* handle = windowHandle())
        handle->setTitle(handle->title());
    // Every widget: the window's own update leaves its opaque controls out.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

// Back from full screen, Qt's own title bar on GNOME returns inside the size
// the window had, shrinking the controls' room: give it its size again.
void frmVDTimer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_sizeCorrections > 0 && !(windowState() & (grownStates | Qt::WindowMinimized)) &&
        size() != layout::clientSize) {
        --m_sizeCorrections;
        QMetaObject::invokeMethod(
            this, [this] { resize(layout::clientSize); }, Qt::QueuedConnection);
    }
}

// The desktop switched palettes (to dark at sunset, say): the labels in the
// standard look take the new one, as they would have at load; the stage
// colours stay as they are.
void frmVDTimer::followPalette()
{
    const QRgb before = basVDTimer::lngDefaultColor;
    basVDTimer::lngDefaultColor = backColor(lblGameJoken);
    for (QLabel* label : {lblGameNokori, ibiInformation})
        if (backColor(label) == before)
            setBackColor(label, basVDTimer::lngDefaultColor);
}
