#include "window/tab_into_field.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

TabIntoField::TabIntoField(std::initializer_list<QWidget *> fields, QObject *parent)
    : QObject(parent)
{
    for (QWidget *field : fields)
        field->installEventFilter(this);
}

bool TabIntoField::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusIn)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
        return false;
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(watched, &plain);
    // A combo box hands its focus-in event to its line edit by a direct call
    // (QComboBox::focusInEvent), past any filter on the line edit.
    auto *combo = qobject_cast<QComboBox *>(watched);
    QLineEdit *text = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit *>(watched);
    QMetaObject::invokeMethod(text, "selectAll", Qt::QueuedConnection);
    return true;
}
