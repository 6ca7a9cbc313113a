// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

// The text of the information area or of the announcer, exactly as shown.
QString shownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return static_cast<const Announcer*>(widget)->text();
}

// A notification whose name is its text exactly as shown, line breaks and
// all; the description stays the control's own.
class NotificationInterface : public QAccessibleWidget {
public:
    explicit NotificationInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        return shownText(widget());
    }
};

QAccessibleInterface* notificationFactory(const QString& className, QObject* object)
{
    if (className == u"InformationLabel" || className == u"Announcer")
        return new NotificationInterface(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    hide();
}

void Announcer::say(const QString& text)
{
    m_text = text;
    announce(this);
}

void Announcer::announce(QWidget* notification)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // A screen reader that knows announcements (Orca 48) speaks the text
    // alone, without the role and the description. The role stays that of a
    // notification all the same: Orca drops an announcement that comes within
    // 0.1 s of another from the same program unless its source is one.
    QAccessibleAnnouncementEvent event(notification, shownText(notification));
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
#else
    QAccessibleEvent event(notification, QAccessible::ObjectShow);
#endif
    QAccessible::updateAccessibility(&event);
}

void Announcer::installRole()
{
    static const bool installed = [] {
        QAccessible::installFactory(notificationFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
