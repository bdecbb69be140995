#include "window/lamp.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <utility>

namespace {

// A label is a picture to screen readers only while it holds a pixmap
// (QAccessibleDisplay::role); a lamp holds none.
QAccessibleInterface *pictureFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("Lamp") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

Lamp::Lamp(QIcon icon, QWidget *parent)
    : QLabel(parent)
    , m_icon(std::move(icon))
{
    // QAccessible::installFactory passes over a factory it already has.
    QAccessible::installFactory(pictureFor);
}

void Lamp::paintEvent(QPaintEvent * /*event*/)
{
    // The icon draws for the scale of the device painted on: a new scale
    // needs no event of ours (tst_pictures: shouldStaySharpAfterAScaleChange).
    QPainter painter(this);
    m_icon.paint(&painter, rect());
}
