#include "window/tab_into_field.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

TabIntoField::TabIntoField(std::initializer_list<QLineEdit *> fields, QObject *parent)
    : QObject(parent)
{
    for (QLineEdit *field : fields)
        field->installEventFilter(this);
}

bool TabIntoField::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field == nullptr || event->type() != QEvent::FocusIn)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
        return false;
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(field, &plain);
    QMetaObject::invokeMethod(field, "selectAll", Qt::QueuedConnection);
    return true;
}
