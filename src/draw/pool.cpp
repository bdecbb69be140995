#include "draw/pool.h"

#include "draw/draw_formula.h"

#include <algorithm>
#include <cstddef>

namespace draw {

std::bitset<32768> missingNumbers(const QStringList &items, float n)
{
    // 1..n is empty for a bound of 0 or less, although a draw from it still
    // gives a number (0 gives 1): with skipping on, such a bound is reported
    // as exhausted from the start.
    const int highest = n > 0 ? static_cast<int>(std::min(extremeValue(n), 32767.0)) : 0;
    std::bitset<32768> missing;
    for (int number = 1; number <= highest; ++number)
        missing.set(static_cast<std::size_t>(number));
    // Numbers above the highest are not in the set to begin with.
    // Items are what QString::number wrote: read as plain decimals, at a tenth
    // of the full syntax's cost on a full list (scripts/bench.sh).
    for (const QString &item : items) {
        bool ok = false;
        const short number = item.toShort(&ok);
        if (ok && number >= 1)
            missing.reset(static_cast<std::size_t>(number));
    }
    return missing;
}

} // namespace draw
