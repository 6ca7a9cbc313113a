// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Announcements a screen reader speaks without moving the keyboard focus. A
// screen reader speaks the name of a notification when it is shown, so the
// information area and this hidden announcer carry the accessible role of a
// notification, and announce() tells that one of them is shown anew.
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
