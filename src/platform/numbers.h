#pragma once

// Text-to-number conversions and overflow-checked 16-bit arithmetic.
//
// Number syntax accepted by every conversion,
// read the way a German reader reads a number:
//   [blanks] [sign] mantissa [exponent] [blanks]
//   blanks    : spaces and tabs, any number, before and after
//   sign      : "+" or "-"
//   mantissa  : whole part, optionally "," and fraction digits ("5", "5,",
//               ",5", "2,5"); at least one digit in total
//   whole part: digits, or digits grouped by points into threes, the first
//               group one to three digits without a leading zero ("1.000",
//               "12.345.678")
//   exponent  : "e" or "E", optional sign, at least one digit ("1e3", "2,5E-1")
// A point is never a decimal separator: "1.5", "0.25" and "1.00" are no
// number, so no text silently becomes a different number than a German
// reader sees. No hex, no "Inf"/"NaN". Everything else, including the empty
// text and a text of blanks only, is no number.
//
// The values come from std::from_chars, correctly rounded. The integer
// conversion rounds the double value to the nearest whole number, ties away
// from zero ("2,5" -> 3, "-2,5" -> -3), as German users learn it at school.

#include <QString>
#include <QtGlobal>

#include <stdexcept>

namespace numbers {

enum class Failure { NotANumber, Overflow };

// Thrown by the checked arithmetic below on overflow. Handlers check their
// input with the try* conversions first; the exception is the safety net for
// the rest.
class ConversionError : public std::runtime_error
{
public:
    ConversionError();
};

template<typename T>
struct Converted
{
    T value {};
    bool ok = false;
    Failure failure = Failure::NotANumber; // meaningful only when !ok
};

// Conversions that report instead of throwing.
[[nodiscard]] Converted<qint16> tryToInt16(const QString &text);
[[nodiscard]] Converted<double> tryToDouble(const QString &text);

// A real number rounded as the integer conversion rounds (ties away from
// zero); ConversionError outside -32768..32767 or for NaN/infinity.
[[nodiscard]] qint16 int16FromReal(double value);

// Overflow-checked 16-bit addition; ConversionError when the sum leaves
// -32768..32767.
[[nodiscard]] qint16 checkedAdd(qint16 a, qint16 b);

} // namespace numbers
