#include "window/announcer.h"

#include <QAccessibleWidget>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
namespace {

// On Windows a static text without a value of its own: the value change
// carries the announcement, and a combo box would take it as a choice of one
// of its items (qwindowsuiamainprovider.cpp, notifyValueChange).
#ifdef Q_OS_WIN
constexpr QAccessible::Role announcerRole = QAccessible::StaticText;
#else
constexpr QAccessible::Role announcerRole = QAccessible::Notification;
#endif

QAccessibleInterface *announcerFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), announcerRole);
    return nullptr;
}

} // namespace
#endif

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // QAccessible::installFactory passes over a factory it already has.
    QAccessible::installFactory(announcerFor);
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
#elif defined(Q_OS_WIN)
    // Qt 6.4's UI Automation bridge passes no "show" on
    // (QWindowsUiaAccessibility::notifyAccessibilityUpdate), but turns a
    // value change with a text into UiaRaiseNotificationEvent
    // (QWindowsUiaMainProvider::notifyValueChange).
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
#else
    // A notification that appears: screen readers speak its name.
    hide();
    setAccessibleName(text);
    show();
#endif
}
