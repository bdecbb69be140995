// Looking a number text up in a list.

#include "window/main_window.h"

#include "platform/numbers.h"
#include "window/list_model.h"

#include <QListWidget>

qint16 frmMain::ItemExists(QObject *objControl, const QString &strItem)
{
    // Lets the control search by assigning its text, then asks what it
    // selected. Whatever fails makes the answer False; nothing escapes.
    try {
        auto *list = qobject_cast<QListWidget *>(objControl);
        if (list == nullptr)
            return False;
        listbox::setText(*list, strItem);
        return listbox::listIndex(*list) < 0 ? False : True;
    } catch (...) {
        return False;
    }
}

qint16 frmMain::ListContains(QListWidget *list, const QString &text)
{
    // Walks the items itself: the first exact match is selected; a miss leaves
    // the selection alone.
    const int last = list->count() - 1;
    for (int i = 0; i <= last; ++i) {
        if (list->item(i)->text() == text) {
            listbox::setListIndex(*list, static_cast<qint16>(i));
            return True;
        }
    }
    return False;
}
