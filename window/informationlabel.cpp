// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "informationlabel.h"

#include <QPainter>
#include <QTextLayout>

namespace {

// The lines of the text as a label breaks them: at each line feed, with a
// carriage return showing as a blank.
QStringList paragraphs(const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line.replace(u'\r', u' ');
    return lines;
}

// Wraps one paragraph at the width, each line pitch below the one before,
// the first at top; returns the top of the line after it.
qreal layOut(QTextLayout& layout, int width, qreal top, int pitch)
{
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += pitch;
    }
    layout.endLayout();
    return top;
}

} // namespace

InformationLabel::InformationLabel(QWidget* parent)
    : QLabel(parent)
{
    // Less than a framed label's usual half an x: the longest results line
    // needs every pixel of the width with some faces.
    setIndent(1);
}

void InformationLabel::setLinePitch(int pitch)
{
    m_pitch = pitch;
    update();
}

int InformationLabel::linePitch() const
{
    return m_pitch > 0 ? m_pitch : fontMetrics().lineSpacing();
}

QRect InformationLabel::textRect() const
{
    return contentsRect().adjusted(indent(), indent(), 0, 0);
}

int InformationLabel::lineCount(const QString& text) const
{
    qreal bottom = 0;
    for (const QString& paragraph : paragraphs(text)) {
        QTextLayout layout(paragraph, font(), this);
        bottom = layOut(layout, textRect().width(), bottom, 1);
    }
    return qRound(bottom);
}

void InformationLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(contentsRect());
    const QRect room = textRect();
    const int pitch = linePitch();
    // A tightened line keeps its glyphs in the middle of the narrower band.
    qreal top = (pitch - fontMetrics().lineSpacing()) / 2.0;
    for (const QString& paragraph : paragraphs(text())) {
        QTextLayout layout(paragraph, font(), this);
        top = layOut(layout, room.width(), top, pitch);
        layout.draw(&painter, room.topLeft());
    }
}
