#include "numbers.h"

#include <QRegularExpression>
#include <QRegularExpressionMatch>
#include <QStringView>
#include <QtNumeric>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <system_error>

namespace numbers {

namespace {

// A number text that passed the syntax check, rewritten the way
// std::from_chars reads it: "-", digits, "." and fraction digits, "e" and the
// exponent; grouping points and blanks gone, the decimal comma a point.
struct Plain
{
    std::string text;
    // Power of ten of the leading nonzero digit; for a value that
    // std::from_chars cannot represent, it tells overflow from underflow.
    std::int64_t magnitude = 0;
};

// Exponents are clamped here: beyond it every value is far outside double's
// range, and the 64-bit sums below can never overflow.
constexpr std::int64_t exponentLimit = 1'000'000'000;

// The syntax documented in the header, compiled on first use.
const QRegularExpression &numberSyntax()
{
    static const QRegularExpression syntax(
        QStringLiteral(R"(\A[ \t]*)"
                       R"((?<sign>[+-]?))"
                       R"((?=,?[0-9]))" // at least one digit before the exponent
                       // Plain digits, or groups of three behind points. The
                       // first group has no leading zero: "0.001" and "2.5"
                       // read differently to different readers.
                       R"((?<whole>[0-9]+|[1-9][0-9]{0,2}(?:\.[0-9]{3})+)?)"
                       R"((?:,(?<fraction>[0-9]*))?)"
                       R"((?:[eE](?<exponent>[+-]?[0-9]+))?)"
                       R"([ \t]*\z)"));
    return syntax;
}

// "[sign] digits", clamped to the limit.
[[nodiscard]] std::int64_t exponentValue(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    const std::int64_t value = std::accumulate(
        text.begin(), text.end(), std::int64_t(0), [](std::int64_t sum, QChar digit) {
            return std::min((sum * 10) + (digit.unicode() - u'0'), exponentLimit);
        });
    return negative ? -value : value;
}

// Power of ten of the leading nonzero digit of whole,fraction e exponent.
[[nodiscard]] std::int64_t magnitude(
    const std::string &whole, const std::string &fraction, std::int64_t exponent)
{
    // In whole and fraction written together, the digit at index k stands for
    // the power whole.size() - k - 1. Zero has no leading nonzero digit; it
    // is never out of range, so the value for it does not matter.
    const std::string digits = whole + fraction;
    const std::size_t lead = std::min(digits.find_first_not_of('0'), digits.size());
    return static_cast<std::int64_t>(whole.size()) - static_cast<std::int64_t>(lead) - 1 + exponent;
}

// Nothing for a text that is no number.
[[nodiscard]] std::optional<Plain> parse(const QString &text)
{
    const QRegularExpressionMatch match = numberSyntax().match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // Matched text is ASCII.
    std::string whole = match.capturedView(u"whole").toLatin1().toStdString();
    whole.erase(std::remove(whole.begin(), whole.end(), '.'), whole.end());
    const std::string fraction = match.capturedView(u"fraction").toLatin1().toStdString();
    const std::int64_t exponent = exponentValue(match.capturedView(u"exponent"));

    Plain plain { match.capturedView(u"sign") == u"-" ? "-" : "",
        magnitude(whole, fraction, exponent) };
    plain.text += whole.empty() ? std::string("0") : whole;
    if (!fraction.empty())
        plain.text += '.' + fraction;
    plain.text += 'e' + std::to_string(exponent);
    return plain;
}

[[nodiscard]] Converted<qint16> roundedInt16(double value)
{
    // Ties away from zero. Not std::round: MinGW-w64's rounds the largest
    // double below a half up to 1 (tst_numbers: largest double below half).
    // Taking off the whole part is exact.
    const double whole = std::trunc(value);
    const double rounded
        = std::fabs(value - whole) >= 0.5 ? whole + std::copysign(1.0, value) : whole;
    if (!std::isfinite(value) || rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return { {}, false, Failure::Overflow };
    return { static_cast<qint16>(rounded), true };
}

} // namespace

ConversionError::ConversionError()
    : std::runtime_error("Überlauf")
{ }

Converted<double> tryToDouble(const QString &text)
{
    const std::optional<Plain> plain = parse(text);
    if (!plain)
        return {};
    double value = 0;
    const char *const first = plain->text.data();
    const char *const last = first + plain->text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    const bool outOfRange = ec == std::errc::result_out_of_range;
    // Values too small to represent become zero; too large ones are reported
    // alike at both ends of the range.
    if (outOfRange && plain->magnitude <= 0)
        value = plain->text.front() == '-' ? -0.0 : 0.0;
    else if (outOfRange || !std::isfinite(value))
        return { {}, false, Failure::Overflow };
    else if (ec != std::errc() || ptr != last)
        return {}; // unreachable for checked text
    return { value, true };
}

Converted<qint16> tryToInt16(const QString &text)
{
    // Whole numbers too: every one in the 16-bit range is a double exactly.
    const Converted<double> real = tryToDouble(text);
    if (!real.ok)
        return { {}, false, real.failure };
    return roundedInt16(real.value);
}

qint16 int16FromReal(double value)
{
    const Converted<qint16> rounded = roundedInt16(value);
    if (!rounded.ok)
        throw ConversionError();
    return rounded.value;
}

qint16 checkedAdd(qint16 a, qint16 b)
{
    qint16 sum = 0;
    if (qAddOverflow(a, b, &sum))
        throw ConversionError();
    return sum;
}

} // namespace numbers
