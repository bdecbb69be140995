#pragma once

// The pool of a draw: the numbers it can still add to the list.

#include <QStringList>

#include <bitset>

namespace draw {

// The whole numbers from 1 up to extremeValue(n), the highest a draw with
// bound n can give, that no item names: bit k for the number k. For n <= 0
// the set is empty, although a draw then gives 1 and less. Items are read as
// the decimal texts the program writes; any other item names nothing.
[[nodiscard]] std::bitset<32768> missingNumbers(const QStringList &items, float n);

} // namespace draw
