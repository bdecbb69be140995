#pragma once

// The pool of a draw: the numbers it can still add to the list.

#include <QStringList>
#include <QtGlobal>

#include <vector>

namespace draw {

// The whole numbers a draw with bound n can give (1 up to extremeValue(n);
// none for n <= 0) that no item names, in rising order. Items are read as
// numbers; an item that is none names nothing.
[[nodiscard]] std::vector<qint16> missingNumbers(const QStringList &items, float n);

} // namespace draw
