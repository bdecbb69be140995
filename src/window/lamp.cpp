#include "window/lamp.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <utility>

namespace {

// A label is a picture to screen readers only while it holds a pixmap; a lamp
// holds none.
QAccessibleInterface *accessibleLamp(const QString &className, QObject *object)
{
    auto *lamp = qobject_cast<Lamp *>(object);
    if (className != QLatin1String("Lamp") || lamp == nullptr)
        return nullptr;
    return new QAccessibleWidget(lamp, QAccessible::Graphic);
}

} // namespace

Lamp::Lamp(QIcon icon, QWidget *parent)
    : QLabel(parent)
    , m_icon(std::move(icon))
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleLamp);
        return true;
    }();
    Q_UNUSED(accessible)
}

void Lamp::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    m_icon.paint(&painter, rect());
}
