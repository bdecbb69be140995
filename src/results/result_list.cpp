#include "window/list_box.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QStringList>

namespace listbox {

void setListIndex(QListWidget &list, qint16 index)
{
    if (index >= 0 && index < list.count()) {
        list.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        list.setCurrentRow(-1, QItemSelectionModel::Clear);
        list.clearSelection();
    }
}

QStringList texts(const QListWidget &list)
{
    QStringList result;
    result.reserve(list.count());
    for (int row = 0; row < list.count(); ++row)
        result.append(list.item(row)->text());
    return result;
}

} // namespace listbox
