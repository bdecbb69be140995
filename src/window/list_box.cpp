#include "window/list_box.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QStringList>

namespace listbox {

qint16 listIndex(const QListWidget &list)
{
    const QModelIndexList selected = list.selectionModel()->selectedIndexes();
    return selected.isEmpty() ? qint16(-1) : static_cast<qint16>(selected.first().row());
}

void setListIndex(QListWidget &list, qint16 index)
{
    if (index >= 0 && index < list.count()) {
        list.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        list.setCurrentRow(-1, QItemSelectionModel::Clear);
        list.clearSelection();
    }
}

void setText(QListWidget &list, const QString &text)
{
    const QList<QListWidgetItem *> found = list.findItems(text, Qt::MatchExactly);
    setListIndex(list, found.isEmpty() ? qint16(-1) : static_cast<qint16>(list.row(found.first())));
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
