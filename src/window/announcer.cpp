#include "window/announcer.h"

#include <QAccessibleWidget>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
namespace {

QAccessibleInterface *notificationFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace
#endif

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // QAccessible::installFactory passes over a factory it already has.
    QAccessible::installFactory(notificationFor);
#endif
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0); // nothing to see
    hide();
}

void Announcer::announce(const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt's own announcement, spoken politely after what is being said.
    QAccessibleAnnouncementEvent event(parentWidget(), text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    // Before Qt 6.8 a notification that appears is the only way: screen
    // readers speak its name.
    hide();
    setAccessibleName(text);
    show();
#endif
}
