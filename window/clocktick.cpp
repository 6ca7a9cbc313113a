// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"
#include "controls.h"
#include "match/basVDTimer.h"
#include "match/conversions.h"
#include "match/messages.h"

#include <QLabel>
#include <QPushButton>

namespace basVDTimer {

namespace {

struct Stage {
    const char16_t* backColor;
    const char16_t* foreColor;
    const char16_t* message; // nullptr: the information label is left alone
    const char16_t* name;
};

constexpr Stage green{u"&H00FF00", u"&H000000", nullptr, u"Green"};
constexpr Stage yellow{u"&H00FFFF", u"&H000000", messages::half, u"Yellow"};
constexpr Stage orange{u"&H0080FF", u"&H000000", messages::quarter, u"Orange"};
constexpr Stage red{u"&H0000FF", u"&HFFFFFF", messages::lastMinute, u"Red"};

void enterStage(const Controls& frm, const Stage& stage)
{
    setBackColor(frm.lblGameNokori, colorFromText(stage.backColor));
    setForeColor(frm.lblGameNokori, colorFromText(stage.foreColor));
    if (stage.message) {
        setCaption(frm.ibiInformation, QString::fromUtf16(stage.message));
        setBackColor(frm.ibiInformation, colorFromText(stage.backColor));
    }
    strColor = QString::fromUtf16(stage.name);
}

} // namespace

void ClockTick(const Controls& frm)
{
    if (frm.cmdStart->isEnabled())
        return;
    if (strPause == u"ON")
        return;

    if (intGameNokori <= 0) {
        GameEnd(frm);
        return;
    }

    intGameNokori = checkedAdd(intGameNokori, -1);

    if (intTurnNokori > 0) {
        intTurnNokori = checkedAdd(intTurnNokori, -1);
    } else {
        setCaption(frm.ibiInformation, QString::fromUtf16(messages::turnOver));
        setBackColor(frm.ibiInformation, colorFromText(u"&H00FFFF"));
        intLossTime(intNowPlayer) = checkedAdd(intLossTime(intNowPlayer), 1);
    }

    intTotalTime(intNowPlayer) = checkedAdd(intTotalTime(intNowPlayer), 1);

    setCaption(frm.lblGameNokori, FormatTime(intGameNokori));
    setCaption(frm.lblTurnNokori, FormatTime(intTurnNokori));

    // One stage step at most per tick; the thresholds keep their fractions.
    const float left = intGameNokori;
    if (strColor == u"Orange" && intGameNokori < 60)
        enterStage(frm, red);
    else if (left < float(intGameJoken) / 4.0f && strColor == u"Yellow")
        enterStage(frm, orange);
    else if (left < float(intGameJoken) / 2.0f && strColor == u"Green")
        enterStage(frm, yellow);
    else if (strColor == u"Nothing")
        enterStage(frm, green);
}

} // namespace basVDTimer
