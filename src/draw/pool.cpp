#include "draw/pool.h"

#include "draw/draw_formula.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cstddef>

namespace draw {

std::vector<qint16> missingNumbers(const QStringList &items, float n)
{
    // 1..n is empty for a bound of 0 or less, although a draw from it still
    // gives a number (0 gives 1): with skipping on, such a bound is refused
    // from the start.
    const int highest = n > 0 ? static_cast<int>(std::min(extremeValue(n), 32767.0)) : 0;
    // One mark per number instead of a walk through the list per number.
    std::vector<bool> listed(static_cast<std::size_t>(highest) + 1, false);
    for (const QString &item : items) {
        const numbers::Converted<qint16> number = numbers::tryToInt16(item);
        if (number.ok && number.value >= 1 && number.value <= highest)
            listed[static_cast<std::size_t>(number.value)] = true;
    }
    std::vector<qint16> missing;
    for (int candidate = 1; candidate <= highest; ++candidate) {
        if (!listed[static_cast<std::size_t>(candidate)])
            missing.push_back(static_cast<qint16>(candidate));
    }
    return missing;
}

} // namespace draw
