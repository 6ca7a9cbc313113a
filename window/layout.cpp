// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include "fonts.h"
#include "informationlabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace layout {

namespace {

constexpr auto players = u"参加人数";
constexpr auto gameTime = u"試合の総時間（分）";
constexpr auto turnTime = u"１ターンの制限時間（秒）";
constexpr auto nowPlayer = u"プレイヤー";
constexpr auto gameLeft = u"試合の残り時間";
constexpr auto turnLeft = u"このターンの残り時間";
constexpr auto information = u"インフォメーション";

QLabel* makeLabel(QWidget* parent, const Control& c)
{
    auto* label = c.kind == Kind::Information ? new InformationLabel(parent) : new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // typed text shows as typed, never as markup
    label->setText(QString::fromUtf16(c.caption));
    if (c.kind == Kind::Caption)
        return label;
    // The value labels look alike, sunken, unlike the row captions. Opaque, so
    // that a new time repaints the label alone, not the frame behind it.
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setAccessibleDescription(QString::fromUtf16(c.row));
    if (c.kind == Kind::Information) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
    }
    return label;
}

QWidget* make(QWidget* parent, const Control& c)
{
    switch (c.kind) {
    case Kind::Frame:
        return new QGroupBox(QString::fromUtf16(c.caption), parent);
    case Kind::Caption:
    case Kind::Value:
    case Kind::Information:
        return makeLabel(parent, c);
    case Kind::TextBox: {
        auto* box = new QLineEdit(QString::fromUtf16(c.caption), parent);
        box->setAccessibleName(QString::fromUtf16(c.row));
        // Any length may be typed; the start refuses what is not a setting.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case Kind::Button: {
        auto* button = new QPushButton(QString::fromUtf16(c.caption), parent);
        button->setAutoDefault(true); // Enter presses the focused button
        return button;
    }
    }
    return nullptr;
}

} // namespace

// clang-format off
const std::array<Control, 23> controls = {{
    // name            kind                 container caption            left  top   width height  row          enabled
    {"Frame1",         Kind::Frame,         nullptr,  u"条件項目",       {120, 120,  3855, 1455}, nullptr,     true},
    {"Frame2",         Kind::Frame,         nullptr,  u"現在のステータス", {120, 1680, 3855, 1575}, nullptr,     true},
    {"Label1_4",       Kind::Caption,       "Frame1", players,           {240, 360,  1815, 255},  nullptr,     true},
    {"Label1_0",       Kind::Caption,       "Frame1", gameTime,          {240, 720,  1815, 255},  nullptr,     true},
    {"Label1_1",       Kind::Caption,       "Frame1", turnTime,          {240, 1080, 1935, 255},  nullptr,     true},
    {"lblPlayer",      Kind::Value,         "Frame1", u"2",              {2640, 315,  1095, 255},  players,     true},
    {"txtPlayer",      Kind::TextBox,       "Frame1", u"2",              {2640, 320,  1095, 270},  players,     true},
    {"lblGameJoken",   Kind::Value,         "Frame1", u"50",             {2640, 680,  1095, 255},  gameTime,    true},
    {"txtGameJoken",   Kind::TextBox,       "Frame1", u"50",             {2640, 680,  1095, 270},  gameTime,    true},
    {"lblTurnJoken",   Kind::Value,         "Frame1", u"120",            {2640, 1040, 1095, 255},  turnTime,    true},
    {"txtTurnJoken",   Kind::TextBox,       "Frame1", u"120",            {2640, 1040, 1095, 270},  turnTime,    true},
    {"Label1_5",       Kind::Caption,       "Frame2", nowPlayer,         {240, 360,  1815, 255},  nullptr,     true},
    {"lblNowPlayer",   Kind::Value,         "Frame2", u"Player 1",       {2640, 320,  1095, 255},  nowPlayer,   true},
    {"Label1_2",       Kind::Caption,       "Frame2", gameLeft,          {240, 720,  1815, 255},  nullptr,     true},
    {"lblGameNokori",  Kind::Value,         "Frame2", u"50：00",         {2640, 675,  1095, 255},  gameLeft,    true},
    {"Label1_3",       Kind::Caption,       "Frame2", turnLeft,          {240, 1080, 1935, 255},  nullptr,     true},
    {"lblTurnNokori",  Kind::Value,         "Frame2", u"2：00",          {2640, 1035, 1095, 255},  turnLeft,    true},
    {"cmdTurnEnd",     Kind::Button,        nullptr,  u"ターンの終了",   {120, 3360, 3855, 615},  nullptr,     false},
    {"cmdStart",       Kind::Button,        nullptr,  u"試合開始",       {120, 4080, 1215, 495},  nullptr,     true},
    {"cmdPause",       Kind::Button,        nullptr,  u"試合中断",       {1440, 4080, 1215, 495},  nullptr,     false},
    {"cmdEnd",         Kind::Button,        nullptr,  u"試合終了",       {2760, 4080, 1215, 495},  nullptr,     false},
    {"Frame3",         Kind::Frame,         nullptr,  information,       {120, 4680, 3855, 1335}, nullptr,     true},
    {"ibiInformation", Kind::Information,   "Frame3", u"",               {120, 240,  3615, 975},  information, true},
}};
// clang-format on

QRect pixels(QRect twips)
{
    const auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
}

void build(QWidget* window)
{
    for (const Control& c : controls) {
        QWidget* parent =
            c.container ? window->findChild<QWidget*>(QLatin1String(c.container)) : window;
        QWidget* widget = make(parent, c);
        widget->setObjectName(QLatin1String(c.name));
        widget->setGeometry(pixels(c.twips));
        widget->setEnabled(c.enabled);
    }
    fonts::apply(window);
}

} // namespace layout
