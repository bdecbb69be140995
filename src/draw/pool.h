#pragma once

// The pool of a draw: the numbers it can still add to the list.

#include <QStringList>

#include <bitset>

namespace draw {

// The whole numbers a draw with bound n can give (1 up to extremeValue(n);
// none for n <= 0) that no item names: bit k for the number k. Items are read
// as numbers; an item that is none names nothing.
[[nodiscard]] std::bitset<32768> missingNumbers(const QStringList &items, float n);

} // namespace draw
