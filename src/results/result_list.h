#pragma once

// The result list's items as the logic reads them.

#include <QStringList>

class QListWidget;

namespace listbox {

// The items' texts, first to last.
[[nodiscard]] QStringList texts(const QListWidget &list);

} // namespace listbox
