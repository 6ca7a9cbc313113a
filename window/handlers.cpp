// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The button and timer handlers of the main window.
#include "frmVDTimer.h"

#include "announcer.h"
#include "colors.h"
#include "keepawake.h"
#include "keyguard.h"
#include "match/basVDTimer.h"
#include "match/conversions.h"
#include "match/messages.h"
#include "match/settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace basVDTimer;

void frmVDTimer::run(const char* handler, const std::function<void()>& steps)
{
    const QString information = ibiInformation->text();
    try {
        steps();
    } catch (const MatchError& error) {
        setCaption(ibiInformation, errorReport(QLatin1String(handler), errorText(error.kind())));
    } catch (const std::exception&) {
        setCaption(ibiInformation, errorReport(QLatin1String(handler),
                                               QStringLiteral("処理を続けられませんでした。")));
    }
    announceInformation(information);
    // Whatever the handler did, or failed to do: the screen stays on exactly
    // while the match runs.
    keepAwake->setHeld(!cmdStart->isEnabled() && strPause != u"ON");
}

// A new message or result is spoken once. The turn-over message, written
// again at every second of the overrun, is spoken the first time in a turn.
void frmVDTimer::announceInformation(const QString& before)
{
    const QString text = ibiInformation->text();
    if (text == before || text.isEmpty())
        return;
    const bool turnOver = text == QStringView(messages::turnOver);
    if (turnOver && m_turnOverAnnounced)
        return;
    m_turnOverAnnounced = m_turnOverAnnounced || turnOver;
    Announcer::announce(ibiInformation);
}

// Holds the keys off 試合開始 for a moment when the match has just ended.
void frmVDTimer::guardResults(bool wasRunning)
{
    if (wasRunning && cmdStart->isEnabled())
        m_startGuard->arm();
}

void frmVDTimer::cmdStart_Click()
{
    run("cmdStart_Click", [this] {
        if (!refuseBadSettings())
            startMatch();
    });
}

// A refused setting leaves the window in the set-up state, every text as typed,
// and takes the player to the box to mend it.
bool frmVDTimer::refuseBadSettings()
{
    const auto fault = checkSettings(txtPlayer->text(), txtGameJoken->text(), txtTurnJoken->text());
    if (!fault)
        return false;
    setCaption(ibiInformation, fault->message);
    setBackColor(ibiInformation, lngDefaultColor);
    QLineEdit* box = fault->setting == Setting::Player        ? txtPlayer
                     : fault->setting == Setting::GameMinutes ? txtGameJoken
                                                              : txtTurnJoken;
    box->setFocus();
    box->selectAll();
    return true;
}

void frmVDTimer::startMatch()
{
    setCaption(lblPlayer, txtPlayer->text());
    setCaption(lblGameJoken, txtGameJoken->text());
    setCaption(lblTurnJoken, txtTurnJoken->text());
    txtPlayer->setVisible(false);
    txtGameJoken->setVisible(false);
    txtTurnJoken->setVisible(false);

    intNowPlayer = textToInt16(lblPlayer->text());
    intGameJoken = minutesToSeconds(textToDouble(lblGameJoken->text()));
    intTurnJoken = textToInt16(lblTurnJoken->text());
    intGameNokori = intGameJoken;
    intTurnNokori = intTurnJoken <= intGameJoken ? intTurnJoken : intGameJoken;
    setCaption(lblGameNokori, FormatTime(intGameJoken));
    setCaption(lblTurnNokori, FormatTime(intTurnJoken));

    cmdStart->setEnabled(false);
    cmdTurnEnd->setEnabled(true);
    cmdPause->setEnabled(true);
    cmdEnd->setEnabled(true);

    setCaption(ibiInformation, QString());
    setBackColor(ibiInformation, lngDefaultColor);
    setBackColor(lblGameNokori, lngDefaultColor);
    // Black where the design was drawn: the standard text colour, which a dark
    // palette makes light.
    setForeColor(lblGameNokori, standardForeColor(lblGameNokori));

    const qint16 count = intNowPlayer;
    for (intNowPlayer = 1; intNowPlayer <= count; intNowPlayer = checkedAdd(intNowPlayer, 1)) {
        intTotalTime(intNowPlayer) = 0;
        intLossTime(intNowPlayer) = 0;
    }
    intNowPlayer = 1;
    setCaption(lblNowPlayer, QStringLiteral("Player 1"));
    strColor = QStringLiteral("Nothing");
    m_turnOverAnnounced = false;

    // Space now ends a turn: the players never need the mouse.
    cmdTurnEnd->setFocus();
}

void frmVDTimer::cmdPause_Click()
{
    run("cmdPause_Click", [this] {
        if (strPause == u"ON") {
            strPause = QStringLiteral("OFF");
            cmdTurnEnd->setEnabled(true);
            cmdPause->setText(QStringLiteral("試合中断"));
            cmdTurnEnd->setFocus();
            m_announcer->say(cmdPause->text());
        } else {
            strPause = QStringLiteral("ON");
            cmdTurnEnd->setEnabled(false);
            cmdPause->setText(QStringLiteral("試合再開"));
            cmdPause->setFocus();
            m_announcer->say(cmdPause->text());
        }
    });
}

void frmVDTimer::cmdTurnEnd_Click()
{
    run("cmdTurnEnd_Click", [this] { endTurn(); });
}

void frmVDTimer::endTurn()
{
    intTurnNokori = intTurnJoken <= intGameNokori ? intTurnJoken : intGameNokori;
    setCaption(lblTurnNokori, FormatTime(intTurnNokori));
    setCaption(ibiInformation, QString());
    setBackColor(ibiInformation, lngDefaultColor);
    // Back to player 1 only when the current player equals the count exactly.
    if (textToDouble(lblPlayer->text()) == double(intNowPlayer))
        intNowPlayer = 1;
    else
        intNowPlayer = checkedAdd(intNowPlayer, 1);
    setCaption(lblNowPlayer, QStringLiteral("Player ") + QString::number(intNowPlayer));
    m_turnOverAnnounced = false;
    m_announcer->say(lblNowPlayer->text());
}

void frmVDTimer::cmdEnd_Click()
{
    const bool running = !cmdStart->isEnabled();
    run("cmdEnd_Click", [this] { GameEnd(*this); });
    guardResults(running);
}

void frmVDTimer::Timer1_Timer()
{
    const bool running = !cmdStart->isEnabled();
    run("Timer1_Timer", [this] { ClockTick(*this); });
    guardResults(running);
}
