// The result list as the draws and the manual entry use it: its items' texts,
// looking a number text up, and the room left.

#include "results/result_list.h"

#include "window/main_window.h"

#include <QItemSelectionModel>
#include <QListWidget>

namespace listbox {

QStringList texts(const QListWidget &list)
{
    QStringList result;
    result.reserve(list.count());
    for (int row = 0; row < list.count(); ++row)
        result.append(list.item(row)->text());
    return result;
}

} // namespace listbox

qint16 frmMain::ItemExists(QObject *objControl, const QString &strItem)
{
    // The lookup of ListContains, but a miss clears the selection, so a stale
    // selection can never pass for a hit. Whatever fails makes the answer
    // False; nothing escapes.
    try {
        auto *list = qobject_cast<QListWidget *>(objControl);
        if (list == nullptr)
            return False;
        if (ListContains(list, strItem) == True)
            return True;
        list->setCurrentRow(-1, QItemSelectionModel::Clear);
        return False;
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
    list->setCurrentRow(list->row(found.first()), QItemSelectionModel::ClearAndSelect);
    return True;
}

bool frmMain::listHasRoom(int more)
{
    // Count and index of the list are 16-bit.
    constexpr int capacity = 32767;
    if (lstDone->count() + more <= capacity)
        return true;
    messageBox(QStringLiteral("Die Liste ist voll: Sie fasst höchstens 32767 Zahlen. "
                              "Es wurde nichts hinzugefügt."),
        QStringLiteral("Fehler!"), Platform::Icon::Critical, Platform::Buttons::Ok);
    return false;
}
