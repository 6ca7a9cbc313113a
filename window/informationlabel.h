// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// The information area: plain text broken at its line feeds and wrapped at
// the label's width, as any label shows it, but with its lines at a pitch the
// window may tighten once at start-up, so that a four-player result fits
// whatever Japanese face the desktop gives.
class InformationLabel : public QLabel {
    Q_OBJECT

public:
    explicit InformationLabel(QWidget* parent);

    // Distance between the tops of two lines; 0 means the font's own.
    void setLinePitch(int pitch);
    int linePitch() const;
    // Where the text goes: the contents, less the indent at the top and left.
    QRect textRect() const;
    // Lines the text takes in this label.
    int lineCount(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_pitch = 0;
};
