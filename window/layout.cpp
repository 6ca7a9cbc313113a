// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include "fonts.h"
#include "informationlabel.h"
#include "match/basVDTimer.h"
#include "match/checked.h"
#include "match/messages.h"
#include "match/settings.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>
#include <type_traits>

namespace layout {

namespace {

constexpr auto players = u"参加人数";
constexpr auto gameTime = u"試合の総時間（分）";
constexpr auto turnTime = u"１ターンの制限時間（秒）";
constexpr auto nowPlayer = u"プレイヤー";
constexpr auto gameLeft = u"試合の残り時間";
constexpr auto turnLeft = u"このターンの残り時間";
constexpr auto information = u"インフォメーション";

QString text(const char16_t* utf16)
{
    return QString::fromUtf16(utf16);
}

void dress(QGroupBox* frame, const Control& c)
{
    frame->setTitle(text(c.caption));
}

void showCaption(QLabel* label, const Control& c)
{
    label->setTextFormat(Qt::PlainText); // typed text shows as typed, never as markup
    label->setText(text(c.caption));
}

// The value labels look alike, sunken, unlike the row captions. Opaque, so
// that a new time repaints the label alone, not the frame behind it.
void dress(QLabel* label, const Control& c)
{
    showCaption(label, c);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setAccessibleDescription(text(c.row));
}

void dress(InformationLabel* label, const Control& c)
{
    dress(static_cast<QLabel*>(label), c);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
}

void dress(QLineEdit* box, const Control& c)
{
    box->setText(text(c.caption));
    box->setAccessibleName(text(c.row));
    // Any length may be typed; the start refuses what is not a setting.
    box->setMaxLength(std::numeric_limits<int>::max());
}

void dress(QPushButton* button, const Control& c)
{
    button->setText(text(c.caption));
    button->setAutoDefault(true); // Enter presses the focused button
}

// A control of the type of its member in Controls.
template <auto member> QWidget* make(Controls& controls, QWidget* container, const Control& row)
{
    using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(controls.*member)>>;
    auto* widget = new Widget(container);
    dress(widget, row);
    controls.*member = widget;
    return widget;
}

// A row caption, one of the control array Label1.
template <std::size_t index>
QWidget* caption(Controls& controls, QWidget* container, const Control& row)
{
    auto* label = new QLabel(container);
    showCaption(label, row);
    controls.Label1[index] = label;
    return label;
}

// The information area: a label that may set its lines closer than its font would.
QWidget* informationArea(Controls& controls, QWidget* container, const Control& row)
{
    auto* label = new InformationLabel(container);
    dress(label, row);
    controls.ibiInformation = label;
    return label;
}

QStringList oneDigit()
{
    return {QStringLiteral("4")};
}

QStringList longestMinutes()
{
    return {QStringLiteral("-546.14")};
}

QStringList longestSeconds()
{
    return {QStringLiteral("-32768.5")};
}

QStringList lastPlayer()
{
    return {QStringLiteral("Player 4")};
}

QStringList longestTimes()
{
    return {basVDTimer::FormatTime(-32768), basVDTimer::FormatTime(32767)}; // "-547：52", "546：07"
}

QStringList resumeCaption()
{
    return {QStringLiteral("試合再開")};
}

// The information area's longest texts: a four-player result first.
QStringList informationTexts()
{
    QString results = QString::fromUtf16(messages::closing);
    for (qint16 player = 1; player <= 4; ++player)
        results += basVDTimer::resultsLine(player, 32767, 32767);
    return {
        results,
        QString::fromUtf16(messages::turnOver),
        refusal(Setting::Player),
        refusal(Setting::GameMinutes),
        refusal(Setting::TurnSeconds),
        errorReport(QLatin1String("cmdTurnEnd_Click"), errorText(ErrorKind::SubscriptOutOfRange))};
}

using C = Controls;

} // namespace

// clang-format off
const std::array<Control, 23> controls = {{
    // name            make                          container   caption            left  top   width height  row          enabled longest
    {"Frame1",         make<&C::Frame1>,             nullptr,    u"条件項目",       {120, 120,  3855, 1455}, nullptr,     true},
    {"Frame2",         make<&C::Frame2>,             nullptr,    u"現在のステータス", {120, 1680, 3855, 1575}, nullptr,     true},
    {"Label1_4",       caption<4>,                   &C::Frame1, players,           {240, 360,  1815, 255},  nullptr,     true},
    {"Label1_0",       caption<0>,                   &C::Frame1, gameTime,          {240, 720,  1815, 255},  nullptr,     true},
    {"Label1_1",       caption<1>,                   &C::Frame1, turnTime,          {240, 1080, 1935, 255},  nullptr,     true},
    {"lblPlayer",      make<&C::lblPlayer>,          &C::Frame1, u"2",              {2640, 315,  1095, 255},  players,     true,  oneDigit},
    {"txtPlayer",      make<&C::txtPlayer>,          &C::Frame1, u"2",              {2640, 320,  1095, 270},  players,     true,  oneDigit},
    {"lblGameJoken",   make<&C::lblGameJoken>,       &C::Frame1, u"50",             {2640, 680,  1095, 255},  gameTime,    true,  longestMinutes},
    {"txtGameJoken",   make<&C::txtGameJoken>,       &C::Frame1, u"50",             {2640, 680,  1095, 270},  gameTime,    true,  longestMinutes},
    {"lblTurnJoken",   make<&C::lblTurnJoken>,       &C::Frame1, u"120",            {2640, 1040, 1095, 255},  turnTime,    true,  longestSeconds},
    {"txtTurnJoken",   make<&C::txtTurnJoken>,       &C::Frame1, u"120",            {2640, 1040, 1095, 270},  turnTime,    true,  longestSeconds},
    {"Label1_5",       caption<5>,                   &C::Frame2, nowPlayer,         {240, 360,  1815, 255},  nullptr,     true},
    {"lblNowPlayer",   make<&C::lblNowPlayer>,       &C::Frame2, u"Player 1",       {2640, 320,  1095, 255},  nowPlayer,   true,  lastPlayer},
    {"Label1_2",       caption<2>,                   &C::Frame2, gameLeft,          {240, 720,  1815, 255},  nullptr,     true},
    {"lblGameNokori",  make<&C::lblGameNokori>,      &C::Frame2, u"50：00",         {2640, 675,  1095, 255},  gameLeft,    true,  longestTimes},
    {"Label1_3",       caption<3>,                   &C::Frame2, turnLeft,          {240, 1080, 1935, 255},  nullptr,     true},
    {"lblTurnNokori",  make<&C::lblTurnNokori>,      &C::Frame2, u"2：00",          {2640, 1035, 1095, 255},  turnLeft,    true,  longestTimes},
    {"cmdTurnEnd",     make<&C::cmdTurnEnd>,         nullptr,    u"ターンの終了",   {120, 3360, 3855, 615},  nullptr,     false},
    {"cmdStart",       make<&C::cmdStart>,           nullptr,    u"試合開始",       {120, 4080, 1215, 495},  nullptr,     true},
    {"cmdPause",       make<&C::cmdPause>,           nullptr,    u"試合中断",       {1440, 4080, 1215, 495},  nullptr,     false, resumeCaption},
    {"cmdEnd",         make<&C::cmdEnd>,             nullptr,    u"試合終了",       {2760, 4080, 1215, 495},  nullptr,     false},
    {"Frame3",         make<&C::Frame3>,             nullptr,    information,       {120, 4680, 3855, 1335}, nullptr,     true},
    {"ibiInformation", informationArea,              &C::Frame3, u"",               {120, 240,  3615, 975},  information, true,  informationTexts},
}};
// clang-format on

QRect pixels(QRect twips)
{
    const auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
}

Controls build(QWidget* window)
{
    Controls built;
    std::array<QWidget*, controls.size()> made{};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& row = controls[i];
        QWidget* container = row.container ? built.*row.container : window;
        made[i] = row.make(built, container, row);
        made[i]->setObjectName(QLatin1String(row.name));
        made[i]->setGeometry(pixels(row.twips));
        made[i]->setEnabled(row.enabled);
    }
    fonts::apply(window, built.cmdTurnEnd);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QStringList texts = controls[i].longest ? controls[i].longest() : QStringList();
        if (*controls[i].caption)
            texts << text(controls[i].caption);
        fonts::fit(made[i], texts);
    }
    return built;
}

} // namespace layout
