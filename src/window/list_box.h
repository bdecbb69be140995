#pragma once

// The list box as the logic sees it: ListIndex is the selected row, -1 for
// none; assigning Text selects the first item with exactly that text, or
// clears the selection when there is none.

#include <QStringList>
#include <QtGlobal>

class QListWidget;

namespace listbox {

[[nodiscard]] qint16 listIndex(const QListWidget &list);
void setListIndex(QListWidget &list, qint16 index);
// A miss clears the selection, so a stale selection can never pass for a hit.
void setText(QListWidget &list, const QString &text);
// The items' texts, first to last.
[[nodiscard]] QStringList texts(const QListWidget &list);

} // namespace listbox
