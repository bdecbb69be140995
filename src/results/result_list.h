#pragma once

// The result list as the logic reads and selects it.

#include <QStringList>
#include <QtGlobal>

class QListWidget;

namespace listbox {

// Selects the row alone and makes it current; -1, or any row the list does
// not have, leaves no row selected and none current.
void setListIndex(QListWidget &list, qint16 index);
// The items' texts, first to last.
[[nodiscard]] QStringList texts(const QListWidget &list);

} // namespace listbox
