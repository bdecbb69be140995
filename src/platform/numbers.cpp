#include "numbers.h"

#include <QStringView>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

namespace numbers {

namespace {

const char *failureMessage(Failure failure)
{
    switch (failure) {
    case Failure::NotANumber:
        return "Keine Zahl";
    case Failure::Overflow:
        return "Überlauf";
    }
    return "Unbekannter Umwandlungsfehler";
}

// A number text reduced to sign, significant digits and a power of ten:
// value = (-1)^negative * digits * 10^exponent. digits has neither leading
// nor trailing zeros, so it is empty exactly when the value is zero. Reducing
// first keeps every later step independent of how many zeros the user typed.
struct Decimal
{
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;

    // Power of ten of the leading digit; meaningful only for a nonzero value.
    [[nodiscard]] std::int64_t magnitude() const
    {
        return exponent + static_cast<std::int64_t>(digits.size()) - 1;
    }
};

// Any exponent beyond this puts every value far outside double's range, so
// exponents are clamped here and can never overflow the 64-bit arithmetic,
// however many digits the text holds.
constexpr std::int64_t exponentLimit = 1'000'000'000;

[[nodiscard]] bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

[[nodiscard]] bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Parses the syntax documented in the header; false for anything else.
[[nodiscard]] bool parse(QStringView text, Decimal *out)
{
    qsizetype pos = 0;
    qsizetype end = text.size();
    while (pos < end && isBlank(text[pos].unicode()))
        ++pos;
    while (end > pos && isBlank(text[end - 1].unicode()))
        --end;

    const auto at = [&](qsizetype i) { return text[i].unicode(); };

    Decimal result;
    if (pos < end && (at(pos) == u'+' || at(pos) == u'-')) {
        result.negative = at(pos) == u'-';
        ++pos;
    }

    bool anyDigit = false;
    bool separatorSeen = false;
    std::int64_t fractionDigits = 0;
    std::int64_t droppedZeros = 0; // zeros after the last nonzero digit, not yet stored
    for (; pos < end; ++pos) {
        const char16_t c = at(pos);
        if (isAsciiDigit(c)) {
            anyDigit = true;
            if (separatorSeen)
                ++fractionDigits;
            if (c == u'0') {
                if (!result.digits.empty())
                    ++droppedZeros;
            } else {
                result.digits.append(static_cast<std::size_t>(droppedZeros), '0');
                droppedZeros = 0;
                result.digits.push_back(static_cast<char>(c));
            }
        } else if ((c == u',' || c == u'.') && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;

    std::int64_t writtenExponent = 0;
    if (pos < end && (at(pos) == u'e' || at(pos) == u'E')) {
        ++pos;
        bool exponentNegative = false;
        if (pos < end && (at(pos) == u'+' || at(pos) == u'-')) {
            exponentNegative = at(pos) == u'-';
            ++pos;
        }
        bool exponentDigit = false;
        for (; pos < end && isAsciiDigit(at(pos)); ++pos) {
            exponentDigit = true;
            writtenExponent = std::min(writtenExponent * 10 + (at(pos) - u'0'), exponentLimit);
        }
        if (!exponentDigit)
            return false;
        if (exponentNegative)
            writtenExponent = -writtenExponent;
    }
    if (pos != end)
        return false;

    // The digit count is bounded by the text length, far below the limit, so
    // this sum stays well inside 64 bits before clamping.
    const std::int64_t exponent = writtenExponent + droppedZeros - fractionDigits;
    result.exponent = std::clamp(exponent, -4 * exponentLimit, 4 * exponentLimit);
    *out = std::move(result);
    return true;
}

// Correct rounding to double needs at most 767 significant decimal digits plus
// the knowledge whether anything nonzero follows; keeping a few more and a
// final "1" as that marker bounds the work std::from_chars has to do.
constexpr std::size_t keptDigits = 800;

template<typename Real>
[[nodiscard]] Converted<Real> toReal(const Decimal &decimal)
{
    Converted<Real> result;
    const Real zero = decimal.negative ? -Real(0) : Real(0);
    if (decimal.digits.empty()) {
        result.value = zero;
        result.ok = true;
        return result;
    }
    // Far outside every floating-point range: decide without building text.
    if (decimal.magnitude() > 5000) {
        result.failure = Failure::Overflow;
        return result;
    }
    if (decimal.magnitude() < -5000) {
        result.value = zero;
        result.ok = true;
        return result;
    }

    std::string text;
    std::int64_t exponent = decimal.exponent;
    if (decimal.digits.size() > keptDigits) {
        text.assign(decimal.digits, 0, keptDigits);
        text.push_back('1');
        exponent += static_cast<std::int64_t>(decimal.digits.size() - text.size());
    } else {
        text = decimal.digits;
    }
    text.push_back('e');
    text += std::to_string(exponent);

    Real magnitude = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec == std::errc::result_out_of_range) {
        // from_chars reports both ends of the range alike; the power of ten
        // tells which one was hit. Values too small to represent become zero.
        if (decimal.magnitude() > 0) {
            result.failure = Failure::Overflow;
            return result;
        }
        result.value = zero;
        result.ok = true;
        return result;
    }
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        result.failure = Failure::NotANumber; // unreachable for parsed text
        return result;
    }
    if (!std::isfinite(magnitude)) {
        result.failure = Failure::Overflow;
        return result;
    }
    result.value = decimal.negative ? -magnitude : magnitude;
    result.ok = true;
    return result;
}

// Rounds on the exact decimal digits: going through double first would turn
// "2,49999999999999999" into 2.5 and then into 3.
[[nodiscard]] Converted<qint16> toInt16(const Decimal &decimal)
{
    Converted<qint16> result;
    if (decimal.digits.empty()) {
        result.ok = true;
        return result;
    }
    const std::int64_t integerDigits = decimal.magnitude() + 1;
    if (integerDigits > 5) { // at least 100000
        result.failure = Failure::Overflow;
        return result;
    }
    const auto digitAt = [&](std::int64_t i) -> int {
        // Digit i counted from the leading one; positions past the stored
        // digits are the zeros implied by a positive exponent.
        if (i < 0 || i >= static_cast<std::int64_t>(decimal.digits.size()))
            return 0;
        return decimal.digits[static_cast<std::size_t>(i)] - '0';
    };
    std::int32_t magnitude = 0;
    for (std::int64_t i = 0; i < integerDigits; ++i)
        magnitude = magnitude * 10 + digitAt(i);
    // Ties away from zero: the fraction is at least one half exactly when its
    // first digit is 5 or more. With fewer than zero integer digits the first
    // fractional digit is an implied zero.
    if (integerDigits >= 0 && digitAt(integerDigits) >= 5)
        ++magnitude;

    const std::int32_t value = decimal.negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        result.failure = Failure::Overflow;
        return result;
    }
    result.value = static_cast<qint16>(value);
    result.ok = true;
    return result;
}

template<typename T>
[[nodiscard]] T valueOrThrow(const Converted<T> &converted)
{
    if (!converted.ok)
        throw ConversionError(converted.failure);
    return converted.value;
}

} // namespace

ConversionError::ConversionError(Failure failure)
    : std::runtime_error(failureMessage(failure)), m_failure(failure)
{
}

bool isNumeric(const QString &text)
{
    Decimal decimal;
    return parse(text, &decimal);
}

Converted<qint16> tryToInt16(const QString &text)
{
    Decimal decimal;
    if (!parse(text, &decimal))
        return {};
    return toInt16(decimal);
}

Converted<float> tryToSingle(const QString &text)
{
    Decimal decimal;
    if (!parse(text, &decimal))
        return {};
    return toReal<float>(decimal);
}

Converted<double> tryToDouble(const QString &text)
{
    Decimal decimal;
    if (!parse(text, &decimal))
        return {};
    return toReal<double>(decimal);
}

qint16 toInt16(const QString &text)
{
    return valueOrThrow(tryToInt16(text));
}

float toSingle(const QString &text)
{
    return valueOrThrow(tryToSingle(text));
}

double toDouble(const QString &text)
{
    return valueOrThrow(tryToDouble(text));
}

qint16 int16FromReal(double value)
{
    if (!std::isfinite(value))
        throw ConversionError(Failure::Overflow);
    // std::round ties away from zero and, unlike floor(x + 0.5), is exact for
    // every double.
    const double rounded = std::round(value);
    if (rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max()) {
        throw ConversionError(Failure::Overflow);
    }
    return static_cast<qint16>(rounded);
}

double floorReal(double value)
{
    return std::floor(value);
}

QString decimalText(qint16 value)
{
    // QString::number never consults the locale, so no group separators.
    return QString::number(value);
}

qint16 checkedAdd(qint16 a, qint16 b)
{
    // Both operands promote to int, which holds every sum of two qint16.
    const int sum = int(a) + int(b);
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        throw ConversionError(Failure::Overflow);
    return static_cast<qint16>(sum);
}

} // namespace numbers
