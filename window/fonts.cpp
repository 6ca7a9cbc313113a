// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "informationlabel.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <cmath>

namespace fonts {

namespace {

constexpr qreal smallest = 4.0; // points; also where a 192 dpi font setting still fits
constexpr qreal step = 0.25;

// The design's faces first, where the desktop has them; then Yu Gothic, which
// every Windows 10 and 11 has, even without the Japanese supplemental fonts;
// then the Japanese Gothic faces other desktops have, so that Latin text
// comes from the same face as the Japanese.
QStringList standardFaces()
{
    QStringList faces{QStringLiteral("IPAPGothic"), QStringLiteral("MS UI Gothic")};
#ifdef Q_OS_WIN
    faces.swapItemsAt(0, 1);
#endif
    return faces + QStringList{QStringLiteral("Yu Gothic UI"), QStringLiteral("Noto Sans CJK JP"),
                               QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")};
}

QStringList fixedPitchFaces()
{
    return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
            QStringLiteral("Yu Gothic"),     QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("VL Gothic"),     QStringLiteral("TakaoGothic")};
}

// Where a label draws one line of text: its contents, less the indent that
// a framed label keeps on the side of its alignment.
QRect labelTextRect(const QLabel* label)
{
    QRect room = label->contentsRect();
    if (label->frameWidth() == 0)
        return room;
    const int indent = label->fontMetrics().horizontalAdvance(u'x') / 2;
    const Qt::Alignment align = label->alignment();
    return room.adjusted(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                         align & Qt::AlignRight ? -indent : 0,
                         align & Qt::AlignBottom ? -indent : 0);
}

// Where a text box or a button draws its text, as the style places it.
QRect textRoom(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        // A text box keeps a margin of 2 pixels on either side of its text.
        return box->style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, box)
            .adjusted(2, 0, -2, 0);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return labelTextRect(static_cast<const QLabel*>(control));
}

bool fitsOnOneLine(const QWidget* control, const QStringList& texts)
{
    const QRect room = textRoom(control);
    const QFontMetrics metrics = control->fontMetrics();
    return std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
        return metrics.height() <= room.height() && metrics.horizontalAdvance(text) <= room.width();
    });
}

void shrink(QWidget* control)
{
    QFont font = control->font();
    font.setPointSizeF(font.pointSizeF() - step);
    control->setFont(font);
}

// Each results line on a line of its own, and as many lines as the longest
// text needs within the label: nearer than the font sets them if need be, but
// never nearer than a tenth of the type size apart, so that the ideographs of
// two lines never touch.
void fitInformation(InformationLabel* label, const QStringList& texts)
{
    const QString& results = texts.front();
    for (;;) {
        int lines = 0;
        for (const QString& text : texts)
            lines = std::max(lines, label->lineCount(text));
        const int natural = label->fontMetrics().lineSpacing();
        const int pitch = std::min(natural, label->textRect().height() / lines);
        const int tightest =
            std::min(natural, int(std::ceil(1.1 * QFontInfo(label->font()).pixelSize())));
        const bool fits =
            label->lineCount(results) == results.count(u'\n') + 1 && pitch >= tightest;
        if (fits || label->font().pointSizeF() <= smallest) {
            label->setLinePitch(pitch < natural ? pitch : 0);
            return;
        }
        shrink(label);
    }
}

} // namespace

void apply(QWidget* window, QPushButton* turnEnd)
{
    QFont standard;
    standard.setFamilies(standardFaces());
    standard.setPointSizeF(8);
    window->setFont(standard);

    QFont turnEndFont;
    // A fixed-pitch Japanese Gothic, bold, as the design's face for the button.
    turnEndFont.setFamilies(fixedPitchFaces());
    turnEndFont.setStyleHint(QFont::Monospace);
    turnEndFont.setPointSizeF(15.75);
    turnEndFont.setBold(true);
    turnEnd->setFont(turnEndFont);
}

void fit(QWidget* control, const QStringList& texts)
{
    if (auto* information = qobject_cast<InformationLabel*>(control)) {
        fitInformation(information, texts);
        return;
    }
    if (!qobject_cast<QLabel*>(control) && !qobject_cast<QLineEdit*>(control) &&
        !qobject_cast<QPushButton*>(control))
        return;
    while (!fitsOnOneLine(control, texts) && control->font().pointSizeF() > smallest)
        shrink(control);
}

bool japaneseAvailable()
{
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

} // namespace fonts
