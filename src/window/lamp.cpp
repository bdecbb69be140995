#include "window/lamp.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <utility>

Lamp::Lamp(QIcon icon, QWidget *parent)
    : QLabel(parent)
    , m_icon(std::move(icon))
{
    // A label is a picture to screen readers only while it holds a pixmap
    // (QAccessibleDisplay::role); a lamp holds none. Every lamp installs the
    // same function, which QAccessible::installFactory adds once.
    QAccessible::installFactory(
        [](const QString &className, QObject *object) -> QAccessibleInterface * {
            return className == QLatin1String("Lamp") && object != nullptr && object->isWidgetType()
                ? new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic)
                : nullptr;
        });
}

void Lamp::paintEvent(QPaintEvent * /*event*/)
{
    // The icon draws for the scale of the device painted on: a new scale
    // needs no event of ours (tst_pictures: shouldStaySharpAfterAScaleChange).
    QPainter painter(this);
    m_icon.paint(&painter, rect());
}
