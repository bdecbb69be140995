#include "platform/numbers.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>

using numbers::ConversionError;
using numbers::Converted;
using numbers::Failure;

namespace {

// Expected result of one conversion: a value, or the failure it must report.
struct Outcome
{
    bool ok = false;
    Failure failure = Failure::NotANumber;
    double value = 0; // holds every qint16 exactly
};

Outcome value(double v)
{
    return { true, Failure::NotANumber, v };
}

Outcome notANumber()
{
    return { false, Failure::NotANumber, 0 };
}

Outcome overflow()
{
    return { false, Failure::Overflow, 0 };
}

const Outcome noNumber = notANumber();

QString describe(const Outcome &outcome)
{
    if (outcome.ok)
        return QString::number(outcome.value, 'g', 17);
    return outcome.failure == Failure::Overflow ? QStringLiteral("Overflow")
                                                : QStringLiteral("NotANumber");
}

template<typename T>
Outcome actual(const Converted<T> &converted)
{
    return { converted.ok, converted.failure, converted.ok ? double(converted.value) : 0.0 };
}

// Compares one conversion with the expectation. Signed zeros compare equal,
// as the user cannot tell them apart.
template<typename T, typename Try>
bool conversionMatches(const QString &text, const Outcome &expected, Try tryConvert, QString *why)
{
    const Outcome reported = actual(tryConvert(text));
    const bool same = reported.ok == expected.ok
        && (reported.ok ? T(reported.value) == T(expected.value)
                        : reported.failure == expected.failure);
    if (same)
        return true;
    *why = QStringLiteral("expected %1, reported %2").arg(describe(expected), describe(reported));
    return false;
}

void checkAll(const QString &text, const Outcome &int16, const Outcome &dbl)
{
    QString why;
    QVERIFY2(conversionMatches<qint16>(text, int16, numbers::tryToInt16, &why),
        qPrintable(QStringLiteral("tryToInt16: ") + why));
    QVERIFY2(conversionMatches<double>(text, dbl, numbers::tryToDouble, &why),
        qPrintable(QStringLiteral("tryToDouble: ") + why));
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldReadNumbersAsGermanReadersDo_data();
    void shouldReadNumbersAsGermanReadersDo();
    void shouldRoundCorrectlyAtTheEdges_data();
    void shouldRoundCorrectlyAtTheEdges();
    void shouldCopeWithLongInput_data();
    void shouldCopeWithLongInput();
    void shouldTakeTimeLinearInTheLength_data();
    void shouldTakeTimeLinearInTheLength();
    void shouldReadBackEveryDecimalText();
    void shouldAddWithoutWrapping_data();
    void shouldAddWithoutWrapping();
    void shouldRoundRealsHalfAwayFromZero_data();
    void shouldRoundRealsHalfAwayFromZero();
};

void NumbersTest::shouldReadNumbersAsGermanReadersDo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("int16");
    QTest::addColumn<Outcome>("dbl");

    const auto no = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << noNumber << noNumber;
    };
    const auto number = [](const char *name, const QString &text, Outcome int16, Outcome dbl) {
        QTest::newRow(name) << text << int16 << dbl;
    };

    no("empty", QString());
    no("one blank", QStringLiteral(" "));
    no("three blanks", QStringLiteral("   "));
    no("tab only", QStringLiteral("\t"));
    no("letters", QStringLiteral("abc"));
    no("trailing letter", QStringLiteral("12a"));
    no("leading letter", QStringLiteral("a12"));
    no("lone point", QStringLiteral("."));
    no("lone comma", QStringLiteral(","));
    no("lone minus", QStringLiteral("-"));
    no("lone plus", QStringLiteral("+"));
    no("sign and comma only", QStringLiteral("-,"));
    no("two commas", QStringLiteral("1,2,3"));
    no("two points", QStringLiteral("1.2.3"));
    // A point is read as a German reader reads it, or the text is refused.
    no("point as decimal separator", QStringLiteral("1.5"));
    no("point after zero", QStringLiteral("0.001"));
    no("group of two", QStringLiteral("1.00"));
    no("group of four", QStringLiteral("1.0000"));
    no("first group of four", QStringLiteral("1000.000"));
    no("short last group", QStringLiteral("1.000.00"));
    no("leading point", QStringLiteral(".5"));
    no("trailing point", QStringLiteral("5."));
    no("comma then point", QStringLiteral("1,5.5"));
    no("inner blank", QStringLiteral("1 2"));
    no("blank after sign", QStringLiteral("- 5"));
    no("double minus", QStringLiteral("--5"));
    no("plus minus", QStringLiteral("+-5"));
    no("exponent without mantissa", QStringLiteral("e5"));
    no("exponent without digits", QStringLiteral("5e"));
    no("exponent sign without digits", QStringLiteral("5e+"));
    no("exponent minus without digits", QStringLiteral("5e-"));
    no("fractional exponent", QStringLiteral("1e3,5"));
    no("blank before exponent", QStringLiteral("5 e3"));
    no("point then exponent only", QStringLiteral(".e1"));
    no("Arabic-Indic digits", QString::fromUtf8("\u0661\u0662"));
    no("full-width digits", QString::fromUtf8("\uff11\uff12"));
    no("superscript digit", QString::fromUtf8("5\u00b2"));
    no("underscore grouping", QStringLiteral("1_000"));
    no("hexadecimal", QStringLiteral("0x10"));
    no("inf", QStringLiteral("inf"));
    no("Infinity", QStringLiteral("Infinity"));
    no("nan", QStringLiteral("nan"));
    no("trailing newline", QStringLiteral("5\n"));
    no("leading newline", QStringLiteral("\n5"));
    no("no-break space", QString::fromUtf8("\u00a05"));
    no("embedded NUL", QStringLiteral("5") + QChar(0) + QStringLiteral("5"));

    number("leading zeros", QStringLiteral("007"), value(7), value(7));
    number("negative", QStringLiteral("-5"), value(-5), value(-5));
    number("plus sign", QStringLiteral("+5"), value(5), value(5));
    number("blanks around", QStringLiteral(" 42 "), value(42), value(42));
    number("tabs around", QStringLiteral("\t7\t"), value(7), value(7));
    number("mixed blanks and sign", QStringLiteral(" \t-3 \t"), value(-3), value(-3));
    number("zero", QStringLiteral("0"), value(0), value(0));
    number("minus zero", QStringLiteral("-0"), value(0), value(0));
    number("largest", QStringLiteral("32767"), value(32767), value(32767));
    number("one above largest", QStringLiteral("32768"), overflow(), value(32768));
    number("smallest", QStringLiteral("-32768"), value(-32768), value(-32768));
    number("one below smallest", QStringLiteral("-32769"), overflow(), value(-32769));
    number("far above range", QStringLiteral("100000"), overflow(), value(100000));
    number("comma half", QStringLiteral("1,5"), value(2), value(1.5));
    number("half rounds away from zero", QStringLiteral("2,5"), value(3), value(2.5));
    number("negative half rounds away from zero", QStringLiteral("-2,5"), value(-3), value(-2.5));
    number("thousand", QStringLiteral("1.000"), value(1000), value(1000));
    number("grouped with fraction", QStringLiteral("-12.345,5"), value(-12346), value(-12345.5));
    number("two groups", QStringLiteral("1.000.000"), overflow(), value(1e6));
    number("below half", QStringLiteral("0,4"), value(0), value(0.4));
    number("negative below half", QStringLiteral("-0,4"), value(0), value(-0.4));
    number("only fraction", QStringLiteral(",5"), value(1), value(0.5));
    number("negative only fraction", QStringLiteral("-,5"), value(-1), value(-0.5));
    number("trailing comma", QStringLiteral("5,"), value(5), value(5));
    number("exponent", QStringLiteral("1e3"), value(1000), value(1000));
    number("capital negative exponent", QStringLiteral("1E-2"), value(0), value(0.01));
    number("exponent with plus", QStringLiteral("2,5e+1"), value(25), value(25));
    number("exponent brings fraction to half", QStringLiteral("25e-1"), value(3), value(2.5));
    number("exponent leading zeros", QStringLiteral("1e0000000000000000000003"), value(1000),
        value(1000));
    number("beyond int16 only", QStringLiteral("1e9"), overflow(), value(1e9));
    number("far below range", QStringLiteral("-1e39"), overflow(), value(-1e39));
    number("beyond double", QStringLiteral("1e999"), overflow(), overflow());
    number("just beyond double", QStringLiteral("1,8e308"), overflow(), overflow());
    number("negative beyond double", QStringLiteral("-1e999"), overflow(), overflow());
    number("huge exponent", QStringLiteral("1e99999999999999999999"), overflow(), overflow());
    number("tiny value", QStringLiteral("1e-50"), value(0), value(1e-50));
    number("double underflow is zero", QStringLiteral("1e-999"), value(0), value(0));
    number(
        "hugely negative exponent", QStringLiteral("-5e-99999999999999999999"), value(0), value(0));
    number("zero with huge exponent", QStringLiteral("0e99999999999"), value(0), value(0));
}

void NumbersTest::shouldReadNumbersAsGermanReadersDo()
{
    QFETCH(QString, text);
    QFETCH(Outcome, int16);
    QFETCH(Outcome, dbl);

    checkAll(text, int16, dbl);
}

// Correct rounding at the edges. The integer conversion rounds the double
// value: digits beyond double precision that miss a half by less than that
// precision count as the half.
void NumbersTest::shouldRoundCorrectlyAtTheEdges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("int16");

    QTest::newRow("just below half") << QStringLiteral("2,49999999999999999999") << value(3);
    QTest::newRow("negative just below half")
        << QStringLiteral("-2,49999999999999999999") << value(-3);
    QTest::newRow("largest plus 0,4") << QStringLiteral("32767,4") << value(32767);
    QTest::newRow("largest plus 0,5") << QStringLiteral("32767,5") << overflow();
    QTest::newRow("largest plus almost half")
        << QStringLiteral("32767,49999999999999999999") << overflow();
    QTest::newRow("smallest minus 0,4") << QStringLiteral("-32768,4") << value(-32768);
    QTest::newRow("smallest minus 0,5") << QStringLiteral("-32768,5") << overflow();
    QTest::newRow("smallest minus almost half")
        << QStringLiteral("-32768,4999999999999999999") << overflow();
    QTest::newRow("tenth") << QStringLiteral("0,1") << value(0);
    QTest::newRow("third") << QStringLiteral("0,3333333333333333") << value(0);
}

void NumbersTest::shouldRoundCorrectlyAtTheEdges()
{
    QFETCH(QString, text);
    QFETCH(Outcome, int16);

    QString why;
    QVERIFY2(conversionMatches<qint16>(text, int16, numbers::tryToInt16, &why), qPrintable(why));
}

void NumbersTest::shouldCopeWithLongInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("int16");
    QTest::addColumn<Outcome>("dbl");

    const QString zeros(10'000, QLatin1Char('0'));
    const QString nines(10'000, QLatin1Char('9'));
    QTest::newRow("leading zeros") << zeros + QStringLiteral("1") << value(1) << value(1);
    QTest::newRow("leading zeros, negative, blanks")
        << QStringLiteral("  -") + zeros + QStringLiteral("1,5\t") << value(-2) << value(-1.5);
    QTest::newRow("trailing zeros") << QStringLiteral("1") + zeros << overflow() << overflow();
    QTest::newRow("fraction trailing zeros")
        << QStringLiteral("12,") + zeros << value(12) << value(12);
    QTest::newRow("tiny fraction")
        << QStringLiteral("0,") + zeros + QStringLiteral("1") << value(0) << value(0);
    QTest::newRow("many nines") << nines << overflow() << overflow();
    // The double nearest to this is 0.5, but the exact value stays below half.
    QTest::newRow("almost half") << QStringLiteral("0,4") + nines << value(1) << value(0.5);
    QTest::newRow("zeros cancelled by exponent")
        << QStringLiteral("1") + zeros + QStringLiteral("e-10000") << value(1) << value(1);
    // 1 + 2^-53 lies halfway between two doubles; only a nonzero digit far
    // behind it decides that the value rounds up.
    const QString doubleMidpoint
        = QStringLiteral("1,00000000000000011102230246251565404236316680908203125");
    QTest::newRow("double midpoint ties to even") << doubleMidpoint + zeros << value(1) << value(1);
    QTest::newRow("far digit beyond double midpoint")
        << doubleMidpoint + zeros + QStringLiteral("1") << value(1) << value(1 + DBL_EPSILON);
    QTest::newRow("far digit below double midpoint")
        << QStringLiteral("1,00000000000000011102230246251565404236316680908203124") + nines
        << value(1) << value(1);
    QTest::newRow("million digits") << QString(1'000'000, QLatin1Char('0')) + QStringLiteral("25,5")
                                    << value(26) << value(25.5);
    QTest::newRow("million significant digits")
        << QStringLiteral("0,") + QString(1'000'000, QLatin1Char('3')) << value(0)
        << value(1.0 / 3.0);
    QTest::newRow("million digits, not a number") << QString(1'000'000, QLatin1Char('1'))
            + QStringLiteral("x") << notANumber() << notANumber();
}

void NumbersTest::shouldCopeWithLongInput()
{
    QFETCH(QString, text);
    QFETCH(Outcome, int16);
    QFETCH(Outcome, dbl);

    checkAll(text, int16, dbl);
}

// Time linear in the length: twice the text takes about twice as long, a
// quadratic cost four times. The fastest of runs taken in turns, so that a
// sanitizer, Wine or the machine's load slows both lengths alike.
void NumbersTest::shouldTakeTimeLinearInTheLength_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("repeated");
    QTest::addColumn<QString>("tail");
    QTest::newRow("leading zeros") << QString() << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("fraction digits") << QStringLiteral("0,") << QStringLiteral("3") << QString();
    QTest::newRow("exponent digits")
        << QStringLiteral("1e") << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("not a number") << QString() << QStringLiteral("1") << QStringLiteral("x");
}

void NumbersTest::shouldTakeTimeLinearInTheLength()
{
    QFETCH(QString, head);
    QFETCH(QString, repeated);
    QFETCH(QString, tail);
    const std::array<QString, 2> texts { head + repeated.repeated(10'000) + tail,
        head + repeated.repeated(20'000) + tail };
    std::array<qint64, 2> fastest {};
    fastest.fill(std::numeric_limits<qint64>::max());
    for (int run = 0; run < 15; ++run) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            static_cast<void>(numbers::tryToInt16(texts.at(i)));
            static_cast<void>(numbers::tryToDouble(texts.at(i)));
            fastest.at(i) = std::min(fastest.at(i), timer.nsecsElapsed());
        }
    }
    const QString times = QStringLiteral("%1 ns, twice as long %2 ns");
    QVERIFY2(fastest[1] < 3 * fastest[0], qPrintable(times.arg(fastest[0]).arg(fastest[1])));
}

void NumbersTest::shouldReadBackEveryDecimalText()
{
    for (int v = std::numeric_limits<qint16>::min(); v <= std::numeric_limits<qint16>::max(); ++v) {
        const auto number = static_cast<qint16>(v);
        // The list's items are written so.
        const QString text = QString::number(number);
        const numbers::Converted<qint16> whole = numbers::tryToInt16(text);
        if (!whole.ok || whole.value != number || numbers::tryToDouble(text).value != v) {
            QFAIL(qPrintable(QStringLiteral("\"%1\" does not convert back").arg(text)));
        }
    }
}

void NumbersTest::shouldAddWithoutWrapping_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<Outcome>("sum");

    QTest::newRow("largest plus one") << 32767 << 1 << overflow();
    QTest::newRow("smallest minus one") << -32768 << -1 << overflow();
    QTest::newRow("reaches largest") << 32766 << 1 << value(32767);
    QTest::newRow("reaches smallest") << -32767 << -1 << value(-32768);
    QTest::newRow("smallest plus largest") << -32768 << 32767 << value(-1);
    QTest::newRow("largest twice") << 32767 << 32767 << overflow();
    QTest::newRow("smallest twice") << -32768 << -32768 << overflow();
    QTest::newRow("mixed signs") << 100 << -250 << value(-150);
    QTest::newRow("zeros") << 0 << 0 << value(0);
}

void NumbersTest::shouldAddWithoutWrapping()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(Outcome, sum);

    try {
        const qint16 result = numbers::checkedAdd(static_cast<qint16>(a), static_cast<qint16>(b));
        QVERIFY2(sum.ok, qPrintable(QStringLiteral("no overflow, got %1").arg(result)));
        QCOMPARE(int(result), int(sum.value));
    } catch (const ConversionError &) {
        QVERIFY2(!sum.ok, "unexpected overflow");
    }
}

void NumbersTest::shouldRoundRealsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("input");
    QTest::addColumn<Outcome>("expected");

    constexpr double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("half up") << 2.5 << value(3);
    QTest::newRow("negative half down") << -2.5 << value(-3);
    QTest::newRow("below half") << 2.4 << value(2);
    QTest::newRow("negative below half") << -0.4 << value(0);
    // floor(x + 0.5) gives 1 here, because x + 0.5 rounds up to 1.0.
    QTest::newRow("largest double below half") << 0.49999999999999994 << value(0);
    QTest::newRow("largest plus 0.4") << 32767.4 << value(32767);
    QTest::newRow("largest plus 0.5") << 32767.5 << overflow();
    QTest::newRow("smallest minus 0.4") << -32768.4 << value(-32768);
    QTest::newRow("smallest minus 0.5") << -32768.5 << overflow();
    QTest::newRow("far beyond int") << 1e10 << overflow();
    QTest::newRow("far below int") << -1e300 << overflow();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << overflow();
    QTest::newRow("infinity") << inf << overflow();
    QTest::newRow("minus infinity") << -inf << overflow();
}

void NumbersTest::shouldRoundRealsHalfAwayFromZero()
{
    QFETCH(double, input);
    QFETCH(Outcome, expected);

    try {
        const qint16 result = numbers::int16FromReal(input);
        QVERIFY2(expected.ok, qPrintable(QStringLiteral("no overflow, got %1").arg(result)));
        QCOMPARE(int(result), int(expected.value));
    } catch (const ConversionError &) {
        QVERIFY2(!expected.ok, "unexpected overflow");
    }
}

QTEST_APPLESS_MAIN(NumbersTest)

#include "tst_numbers.moc"
