// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Announcements a screen reader speaks without moving the keyboard focus. The
// information area and this hidden announcer carry the accessible role of a
// notification, and announce() tells that one of them has something new: as
// an announcement of its text from Qt 6.8 on (Orca 48 speaks the text alone),
// before that by showing the notification anew (Orca 43 speaks its name).
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // Speaks the text: the pause button's new caption, the next player.
    void say(const QString& text);
    QString text() const { return m_text; }

    // The information area or the announcer has something new to say.
    static void announce(QWidget* notification);

    // Gives the information area and the announcer their accessible role;
    // needs the application object, and must come before either is asked for.
    static void installRole();

private:
    QString m_text;
};
