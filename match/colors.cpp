// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"

#include <QLabel>
#include <QPalette>

QRgb backColor(const QLabel* label)
{
    return label->palette().color(label->backgroundRole()).rgba();
}

void setBackColor(QLabel* label, QRgb color)
{
    if (label->autoFillBackground() && backColor(label) == color)
        return;
    QPalette palette = label->palette();
    palette.setColor(label->backgroundRole(), QColor::fromRgba(color));
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
