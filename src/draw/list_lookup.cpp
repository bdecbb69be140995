// Looking a number text up in a list.

#include "window/main_window.h"

#include "window/list_box.h"

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
    // The first exact match is selected; a miss leaves the selection alone.
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return False;
    listbox::setListIndex(*list, static_cast<qint16>(list->row(found.first())));
    return True;
}
