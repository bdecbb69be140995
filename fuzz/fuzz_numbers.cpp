// Fuzzes the text-to-number conversions with arbitrary bytes read as UTF-8.
//
// Three independent judges decide every input:
//   - Qt's German number reading, less its known differences, says whether
//     the text is a number at all;
//   - the C library's strtod (correctly rounded, like from_chars) says what
//     the real value is;
//   - rounding the double half away from zero says what the 16-bit
//     conversion must give.
// Any disagreement, and any crash or undefined behaviour, aborts.

#include "platform/numbers.h"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(
        stderr, "fuzz_numbers: %s\n  text: \"%s\"\n", what, text.left(200).toUtf8().constData());
    std::abort();
}

void require(bool condition, const char *what, const QString &text)
{
    if (!condition)
        fail(what, text);
}

// Whether the text is a number, judged by Qt's German reading less what it
// takes beyond the documented syntax: other blanks than spaces and tabs,
// "inf" and "nan", the Unicode minus, and a first group with a leading zero
// ("0.001", "01.000"). All digits become zeros before Qt reads the text, so
// that no value is out of its range: Qt refuses those, and a refused
// underflow looks like a text that is no number.
bool isGermanNumber(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral(R"(\A[ \t]+|[ \t]+\z)"));
    static const QRegularExpression foreign(QStringLiteral("[^0-9+,.eE-]"));
    static const QRegularExpression zeroGroup(QStringLiteral(R"(\A[+-]?0[0-9]*\.)"));
    QString core = text;
    core.remove(blanks);
    if (core.contains(foreign) || core.contains(zeroGroup))
        return false;
    for (QChar &c : core) {
        if (c.isDigit())
            c = u'0';
    }
    bool ok = false;
    static_cast<void>(QLocale(QLocale::German).toDouble(core, &ok));
    return ok;
}

// The text as the C library reads it: blanks and grouping points gone, comma
// made a point. Only
// called for texts the syntax accepts, which are plain ASCII.
std::string forCLibrary(const QString &text)
{
    std::string plain;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'.')
            continue;
        plain.push_back(u == u',' ? '.' : static_cast<char>(u));
    }
    return plain;
}

double parseWithCLibrary(const std::string &plain, bool *overflow, const QString &text)
{
    errno = 0;
    char *end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    require(end == plain.c_str() + plain.size(),
        "the C library stops early in a text the syntax accepts", text);
    *overflow = std::isinf(value);
    return value;
}

// Checks one real conversion against the C library, bit for bit: both round
// correctly, subnormal results included.
void checkReal(
    const numbers::Converted<double> &converted, const std::string &plain, const QString &text)
{
    bool overflow = false;
    const double expected = parseWithCLibrary(plain, &overflow, text);
    if (overflow) {
        require(!converted.ok && converted.failure == numbers::Failure::Overflow,
            "a value beyond the real range must fail with Overflow", text);
        return;
    }
    require(converted.ok, "a number within the real range must convert", text);
    require(std::isfinite(converted.value), "a converted real must be finite", text);
    require(std::signbit(converted.value) == std::signbit(expected),
        "the sign of a converted real is wrong", text);
    require(converted.value == expected, "a converted real is not correctly rounded", text);
}

void checkInt16(const numbers::Converted<qint16> &whole, const numbers::Converted<double> &real,
    const QString &text)
{
    if (!real.ok) {
        require(!whole.ok && whole.failure == numbers::Failure::Overflow,
            "a value beyond the double range must overflow 16 bits", text);
        return;
    }
    // The integer conversion rounds the double, half away from zero.
    const double rounded = std::round(real.value);
    if (rounded >= -32768.0 && rounded <= 32767.0) {
        require(whole.ok, "a value inside -32768..32767 must convert", text);
        require(whole.value == static_cast<qint16>(rounded),
            "16-bit value is not the value rounded half away from zero", text);
    } else {
        require(!whole.ok && whole.failure == numbers::Failure::Overflow,
            "a value outside -32768..32767 must fail with Overflow", text);
    }
}

void checkDecimalText(qint16 value, const QString &origin)
{
    const QString text = QString::number(value);
    static const QRegularExpression shape(QStringLiteral(R"(\A(?:0|-?[1-9][0-9]*)\z)"));
    require(shape.match(text).hasMatch(), "QString::number is not plain digits", origin);
    const numbers::Converted<qint16> back = numbers::tryToInt16(text);
    require(back.ok && back.value == value, "a decimal text does not convert back", origin);
}

// The same bytes read as numbers: the checked 16-bit sum and the rounding of
// any double, NaN and infinities included.
void checkArithmetic(const std::uint8_t *data, std::size_t size)
{
    const QString origin = QStringLiteral("(bytes as numbers)");
    if (size >= 4) {
        qint16 a = 0;
        qint16 b = 0;
        std::memcpy(&a, data, sizeof a);
        std::memcpy(&b, data + 2, sizeof b);
        const int sum = int(a) + int(b);
        const bool fits = sum >= -32768 && sum <= 32767;
        try {
            const qint16 result = numbers::checkedAdd(a, b);
            require(fits && result == sum, "checkedAdd gave a wrong sum", origin);
        } catch (const numbers::ConversionError &) {
            require(!fits, "checkedAdd refused a sum in range", origin);
        }
    }
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        const double rounded = std::round(value);
        const bool fits = std::isfinite(value) && rounded >= -32768.0 && rounded <= 32767.0;
        try {
            const qint16 result = numbers::int16FromReal(value);
            require(fits && result == rounded, "int16FromReal gave a wrong value", origin);
        } catch (const numbers::ConversionError &) {
            require(!fits, "int16FromReal refused a value in range", origin);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Every 16-bit value once: the round trip must hold for all of them.
    for (int v = -32768; v <= 32767; ++v)
        checkDecimalText(static_cast<qint16>(v), QStringLiteral("(all 16-bit values)"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkArithmetic(data, size);

    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const numbers::Converted<qint16> whole = numbers::tryToInt16(text);
    const numbers::Converted<double> real = numbers::tryToDouble(text);

    // A number converts or overflows; only a text that is none fails otherwise.
    const bool numeric = whole.ok || whole.failure == numbers::Failure::Overflow;
    require(
        numeric == isGermanNumber(text), "tryToInt16 disagrees with the documented syntax", text);

    if (!numeric) {
        require(!real.ok && real.failure == numbers::Failure::NotANumber,
            "tryToDouble accepted or misreported a text that is no number", text);
        return 0;
    }

    require(real.ok || real.failure == numbers::Failure::Overflow,
        "tryToDouble said NotANumber for a number", text);

    const std::string plain = forCLibrary(text);
    checkReal(real, plain, text);
    checkInt16(whole, real, text);
    if (whole.ok)
        checkDecimalText(whole.value, text);

    // The rounding of a real agrees with the text's own 16-bit conversion
    // wherever the double is not a tie.
    if (real.ok && std::fabs(real.value - std::trunc(real.value)) != 0.5) {
        bool overflowed = false;
        qint16 rounded = 0;
        try {
            rounded = numbers::int16FromReal(real.value);
        } catch (const numbers::ConversionError &) {
            overflowed = true;
        }
        require(overflowed == !whole.ok, "int16FromReal and tryToInt16 disagree on range", text);
        require(
            overflowed || rounded == whole.value, "int16FromReal and tryToInt16 disagree", text);
    }
    return 0;
}
