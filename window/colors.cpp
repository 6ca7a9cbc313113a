// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"

#include <QLabel>
#include <QPalette>

QRgb backColor(const QLabel* label)
{
    return label->palette().color(label->backgroundRole()).rgba();
}

namespace {

// The palette the label would have without colours of its own.
QPalette standardPalette(const QLabel* label)
{
    return label->parentWidget() ? label->parentWidget()->palette() : QPalette();
}

} // namespace

QRgb standardForeColor(const QLabel* label)
{
    return standardPalette(label).color(label->foregroundRole()).rgba();
}

void setBackColor(QLabel* label, QRgb color)
{
    if (label->autoFillBackground() && backColor(label) == color)
        return;
    const bool standard = color == standardPalette(label).color(label->backgroundRole()).rgba();
    QPalette palette = label->palette();
    palette.setColor(label->backgroundRole(), QColor::fromRgba(color));
    palette.setColor(label->foregroundRole(),
                     standard ? QColor::fromRgba(standardForeColor(label)) : QColor(Qt::black));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

void setForeColor(QLabel* label, QRgb color)
{
    QPalette palette = label->palette();
    if (palette.color(label->foregroundRole()).rgba() == color)
        return;
    palette.setColor(label->foregroundRole(), QColor::fromRgba(color));
    label->setPalette(palette);
}

void setCaption(QLabel* label, const QString& caption)
{
    if (label->text() != caption)
        label->setText(caption);
}
