// The result list: numbers added by hand, the reset, the draw-all that fills
// the list with 1..N, and the export of the list to the clipboard.

#include "window_rig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

class ResultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldAddTypedNumberOrSayWhyNot_data();
    void shouldAddTypedNumberOrSayWhyNot();
    void shouldResetListFieldAndLabelOnly_data();
    void shouldResetListFieldAndLabelOnly();
    void shouldDrawEveryNumberOnceAfterTheWait_data();
    void shouldDrawEveryNumberOnceAfterTheWait();
    void shouldListNumbersInTheOrderOfTheFormula_data();
    void shouldListNumbersInTheOrderOfTheFormula();
    void shouldAddNothingForBoundsBelowOne_data();
    void shouldAddNothingForBoundsBelowOne();
    void shouldDrawOnlyTheMissingNumbersAfterARegain_data();
    void shouldDrawOnlyTheMissingNumbersAfterARegain();
    void shouldRefuseUnusableBound_data();
    void shouldRefuseUnusableBound();
    void shouldRefuseAdditionsToAFullList_data();
    void shouldRefuseAdditionsToAFullList();
    void shouldCopyTheListLineByLine_data();
    void shouldCopyTheListLineByLine();
};

namespace {

const QString prompt = QStringLiteral("Wähle einen Bereich aus!");
const QString error = QStringLiteral("Fehler!");

// A message box as one line, so that a mismatch shows every part of it.
QString box(const QString &text, const QString &title, Platform::Icon icon)
{
    const char *iconName = icon == Platform::Icon::Information ? "information"
        : icon == Platform::Icon::Critical                     ? "critical"
                                                               : "question";
    return QStringLiteral("%1 | %2 | %3").arg(title, text, QLatin1String(iconName));
}

const QString listFullBox
    = box(QStringLiteral("Die Liste ist voll: Sie fasst höchstens 32767 Zahlen. "
                         "Es wurde nichts hinzugefügt."),
        error, Platform::Icon::Critical);

// The shared rig with the message boxes as lines, manual entry and the end
// of a single draw.
struct Zolta : WindowRig
{
    // The boxes shown so far; every box here has the single button OK.
    QStringList boxes() const
    {
        QStringList shown;
        for (const ShownBox &one : platform.boxes) {
            shown << (one.buttons == Platform::Buttons::Ok
                    ? box(one.prompt, one.title, one.icon)
                    : QStringLiteral("Yes/No: ") + one.prompt);
        }
        return shown;
    }

    void addByHand(const QString &text)
    {
        typeNumber(text);
        get<QPushButton>("cmdAdd")->click();
    }

    // Ticks a running single draw up to its commit; false if it never ends.
    bool finishDraw()
    {
        for (int tick = 0; tick < 20 && timer("Timer1")->isActive(); ++tick)
            window.Timer1_Timer();
        return !timer("Timer1")->isActive();
    }
};

// 1..n as decimal texts, the form the list must hold them in.
QStringList oneTo(int n, int except = 0)
{
    QStringList numbers;
    for (int i = 1; i <= n; ++i) {
        if (i != except)
            numbers << QString::number(i);
    }
    return numbers;
}

QStringList sortedByValue(QStringList numbers)
{
    std::sort(numbers.begin(), numbers.end(),
        [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    return numbers;
}

} // namespace

void ResultsTest::shouldAddTypedNumberOrSayWhyNot_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("expectedSelection");
    QTest::addColumn<QString>("reply"); // empty: no box
    QTest::addColumn<bool>("focusToField");

    const QString info = QStringLiteral("Information");
    const QString empty
        = box(QStringLiteral("Eingabefeld ist leer!"), info, Platform::Icon::Information);
    const QString noNumber
        = box(QStringLiteral("Nur Zahlen erlaubt!"), error, Platform::Icon::Critical);
    const QString range = box(QStringLiteral("Nur Zahlen von -32768 bis 32767 erlaubt!"), error,
        Platform::Icon::Critical);
    const QString duplicate = box(
        QStringLiteral("Der Eintrag ist bereits vorhanden!"), info, Platform::Icon::Information);
    const QStringList none;
    const QStringList fourSeven { "4", "7" };

    QTest::newRow("empty field") << none << -1 << "" << none << -1 << empty << true;
    QTest::newRow("letters") << none << -1 << "abc" << none << -1 << noNumber << true;
    QTest::newRow("digits then a letter") << none << -1 << "12a" << none << -1 << noNumber << true;
    QTest::newRow("blanks only are not empty")
        << none << -1 << "   " << none << -1 << noNumber << true;
    QTest::newRow("refusal keeps the selection")
        << fourSeven << 0 << "abc" << fourSeven << 0 << noNumber << true;
    QTest::newRow("just above 16 bits") << none << -1 << "32768" << none << -1 << range << true;
    QTest::newRow("far above 16 bits") << none << -1 << "99999999" << none << -1 << range << true;
    QTest::newRow("just below 16 bits") << none << -1 << "-32769" << none << -1 << range << true;

    const QList<QPair<const char *, const char *>> normalised { { "007", "7" }, { " 42 ", "42" },
        { "0", "0" }, { "-5", "-5" }, { "300", "300" }, { "+5", "5" }, { "2,5", "3" },
        { "-2,5", "-3" }, { "1.000", "1000" }, { "1e3", "1000" }, { "-32768", "-32768" },
        { "32767", "32767" } };
    for (const auto &[typed, item] : normalised) {
        QTest::addRow("\"%s\" added as %s", typed, item)
            << none << -1 << QString::fromLatin1(typed) << QStringList { QLatin1String(item) } << -1
            << QString() << false;
    }
    QTest::newRow("appended last, selection kept")
        << fourSeven << 1 << "5" << QStringList { "4", "7", "5" } << 1 << QString() << false;
    QTest::newRow("prefix of a listed number is new")
        << QStringList { "12" } << 0 << "1" << QStringList { "12", "1" } << 0 << QString() << false;
    QTest::newRow("duplicate selects the first match")
        << QStringList { "7", "3", "7" } << 2 << "7" << QStringList { "7", "3", "7" } << 0
        << duplicate << false;
    QTest::newRow("duplicate found after normalising")
        << fourSeven << -1 << "007" << fourSeven << 1 << duplicate << false;
}

void ResultsTest::shouldAddTypedNumberOrSayWhyNot()
{
    QFETCH(QStringList, listed);
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QFETCH(int, expectedSelection);
    QFETCH(QString, reply);
    QFETCH(bool, focusToField);

    Zolta z;
    z.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&z.window));
    z.list()->addItems(listed);
    if (selected >= 0)
        z.list()->setCurrentRow(selected);
    QCOMPARE(z.selectedRow(), selected);
    const QList<qint16> variables = z.variables();
    z.typeNumber(typed);
    auto *elsewhere = z.get<QWidget>("cmdGo");
    elsewhere->setFocus();
    QCOMPARE(QApplication::focusWidget(), elsewhere);

    z.get<QPushButton>("cmdAdd")->click();

    QCOMPARE(z.items(), expected);
    QCOMPARE(z.selectedRow(), expectedSelection);
    QCOMPARE(z.boxes(), reply.isEmpty() ? QStringList() : QStringList { reply });
    QCOMPARE(QApplication::focusWidget(), focusToField ? z.get<QWidget>("txtBis") : elsewhere);
    QCOMPARE(z.field(), typed);
    QCOMPARE(z.caption(), prompt);
    QCOMPARE(z.variables(), variables);
}

void ResultsTest::shouldResetListFieldAndLabelOnly_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<bool>("withItems");

    QTest::newRow("button, list with items") << false << true;
    QTest::newRow("button, empty list") << false << false;
    QTest::newRow("menu item, list with items") << true << true;
    QTest::newRow("menu item, empty list") << true << false;
}

void ResultsTest::shouldResetListFieldAndLabelOnly()
{
    QFETCH(bool, fromMenu);
    QFETCH(bool, withItems);

    Zolta z;
    // Both timers running: a draw-all waiting and a single draw half-way.
    z.choose(QStringLiteral("mnuRandom"));
    if (withItems) {
        for (const char *number : { "4", "-5", "300" })
            z.addByHand(QLatin1String(number));
    }
    z.typeNumber(QStringLiteral("12"));
    z.platform.randomValues.enqueue(0.25F); // 3 of 10
    z.press();
    z.tick(2);
    QVERIFY(z.caption() != prompt);
    QCOMPARE(z.items().isEmpty(), !withItems);
    const QList<qint16> variables = z.variables();
    const QStringList lamps = z.visibleLamps();

    if (fromMenu)
        z.choose(QStringLiteral("mnuReset"));
    else
        z.get<QPushButton>("cmdReset")->click();

    QCOMPARE(z.items(), QStringList());
    QCOMPARE(z.field(), QString());
    QCOMPARE(z.caption(), prompt);
    QVERIFY(z.timer("Timer1")->isActive());
    QVERIFY(z.timer("Timer2")->isActive());
    QCOMPARE(z.timer("Timer1")->interval(), 250);
    QCOMPARE(z.timer("Timer2")->interval(), 1000);
    QCOMPARE(z.variables(), variables);
    QCOMPARE(z.visibleLamps(), lamps);
    QCOMPARE(z.get<QComboBox>("cboBis")->currentText(), QStringLiteral("10"));
    QCOMPARE(z.boxes(), QStringList());

    // The running draw is not cancelled: its number lands in the emptied list.
    QVERIFY(z.finishDraw());
    QCOMPARE(z.items(), QStringList { "3" });
}

void ResultsTest::shouldDrawEveryNumberOnceAfterTheWait_data()
{
    QTest::addColumn<int>("bound");
    QTest::addColumn<int>("earlierTicks"); // -1: no earlier draw-all

    QTest::newRow("bound 1") << 1 << -1;
    QTest::newRow("bound 10") << 10 << -1;
    QTest::newRow("bound 256") << 256 << -1;
    QTest::newRow("chosen again after a finished draw-all") << 10 << 1;
    QTest::newRow("chosen twice within the wait") << 10 << 0;
}

void ResultsTest::shouldDrawEveryNumberOnceAfterTheWait()
{
    QFETCH(int, bound);
    QFETCH(int, earlierTicks);

    Zolta z;
    z.setBound(QString::number(bound));
    if (earlierTicks >= 0) {
        z.choose(QStringLiteral("mnuRandom"));
        if (earlierTicks > 0)
            z.window.Timer2_Timer();
        z.platform.seeds.clear();
    }
    // Numbers listed before the command must not survive it.
    z.addByHand(QStringLiteral("0"));
    z.addByHand(QStringLiteral("300"));
    z.list()->setCurrentRow(0);

    z.choose(QStringLiteral("mnuRandom"));

    QCOMPARE(z.items(), QStringList());
    QCOMPARE(z.field(), QString());
    QCOMPARE(z.caption(), prompt);
    QCOMPARE(z.visibleLamps(), QStringList { "Image1(1)" });
    QVERIFY(z.timer("Timer2")->isActive());
    QCOMPARE(z.timer("Timer2")->interval(), 1000);

    z.window.Timer2_Timer();

    const QStringList drawn = z.items();
    QCOMPARE(sortedByValue(drawn), oneTo(bound));
    QCOMPARE(z.caption(), QStringLiteral("Zahl = ") + drawn.last());
    QCOMPARE(z.field(), drawn.last());
    QCOMPARE(z.variable("intZahl"), qint16(drawn.last().toInt()));
    QCOMPARE(z.variable("intCounter"), qint16(0));
    QCOMPARE(z.selectedRow(), -1);
    QCOMPARE(z.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!z.timer("Timer2")->isActive());
    QCOMPARE(z.boxes(), QStringList());
    // Seeded once for the whole draw-all, with the start-up seed.
    QCOMPARE(z.platform.seeds, QList<qint16>({ z.variable("intRandomize") }));
}

void ResultsTest::shouldListNumbersInTheOrderOfTheFormula_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<QList<float>>("randoms");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("bound 3, a repeat skipped")
        << "3" << QList<float> { 0.9F, 0.1F, 0.95F, 0.5F } << QStringList { "3", "1", "2" };
    QTest::newRow("bound 1 from r = 0") << "1" << QList<float> { 0.0F } << QStringList { "1" };
    QTest::newRow("largest r stays within the bound")
        << "2" << QList<float> { 1.0F - 1.0F / 16777216.0F, 0.5F, 0.49999997F }
        << QStringList { "2", "1" };
    QTest::newRow("bound 4, repeats at both ends")
        << "4" << QList<float> { 0.0F, 0.0F, 0.999F, 0.25F, 0.74F }
        << QStringList { "1", "4", "2", "3" };
    QTest::newRow("fractional bound rounds to three numbers")
        << "2,5" << QList<float> { 0.9F, 0.0F, 0.5F } << QStringList { "3", "1", "2" };
}

void ResultsTest::shouldListNumbersInTheOrderOfTheFormula()
{
    QFETCH(QString, bound);
    QFETCH(QList<float>, randoms);
    QFETCH(QStringList, expected);

    Zolta z;
    z.setBound(bound);
    z.choose(QStringLiteral("mnuRandom"));
    for (float r : randoms)
        z.platform.randomValues.enqueue(r);
    z.window.Timer2_Timer();

    QCOMPARE(z.items(), expected);
    QVERIFY(z.platform.randomValues.isEmpty());
    QCOMPARE(z.caption(), QStringLiteral("Zahl = ") + expected.last());

    // The list filled in one batch reaches the clipboard like any other.
    z.choose(QStringLiteral("mnuListCopy"));
    QCOMPARE(z.platform.clipboard, expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void ResultsTest::shouldAddNothingForBoundsBelowOne_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("report"); // empty: the command waits for its tick

    QTest::newRow("0, skipping off: waits, adds nothing") << "0" << false << "";
    QTest::newRow("0, skipping on: reports at once")
        << "0" << true << "Es wurden bereits 0 Zahlen ermittelt!";
    QTest::newRow("negative, skipping off: waits, adds nothing") << "-3" << false << "";
    QTest::newRow("negative, skipping on: reports at once")
        << "-3" << true << "Es wurden bereits -3 Zahlen ermittelt!";
}

void ResultsTest::shouldAddNothingForBoundsBelowOne()
{
    QFETCH(QString, bound);
    QFETCH(bool, ticked);
    QFETCH(QString, report);

    Zolta z;
    z.get<QCheckBox>("chkRndClear")->setChecked(ticked);
    z.addByHand(QStringLiteral("4"));
    z.addByHand(QStringLiteral("-5"));
    z.setBound(bound);
    z.platform.boxes.clear();

    z.choose(QStringLiteral("mnuRandom"));

    QCOMPARE(z.items(), QStringList());
    QCOMPARE(z.field(), QString());
    QCOMPARE(z.caption(), prompt);
    if (report.isEmpty()) {
        QCOMPARE(z.visibleLamps(), QStringList { "Image1(1)" });
        QVERIFY(z.timer("Timer2")->isActive());
        z.window.Timer2_Timer();
        QCOMPARE(z.items(), QStringList());
        QCOMPARE(z.field(), QString());
        QCOMPARE(z.caption(), prompt);
        QCOMPARE(z.boxes(), QStringList());
    } else {
        const QString reported
            = box(report, QStringLiteral("Zolta iacta est"), Platform::Icon::Information);
        QCOMPARE(z.boxes(), QStringList { reported });
    }
    QCOMPARE(z.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!z.timer("Timer2")->isActive());
    QCOMPARE(z.variable("intZahl"), qint16(0));
    QCOMPARE(z.variable("intCounter"), qint16(0));
}

void ResultsTest::shouldDrawOnlyTheMissingNumbersAfterARegain_data()
{
    QTest::addColumn<int>("bound");
    QTest::addColumn<bool>("byDraw"); // else typed by hand
    QTest::addColumn<int>("regained");
    QTest::addColumn<bool>("refused");

    QTest::newRow("3 typed, bound 5") << 5 << false << 3 << false;
    QTest::newRow("3 committed by a running draw, bound 5") << 5 << true << 3 << false;
    QTest::newRow("0 typed stays beside 1..5") << 5 << false << 0 << false;
    QTest::newRow("the only number typed: nothing left to draw") << 1 << false << 1 << false;
    QTest::newRow("32767 typed fills the list exactly") << 32767 << false << 32767 << false;
    QTest::newRow("0 typed would overfill the list") << 32767 << false << 0 << true;
}

void ResultsTest::shouldDrawOnlyTheMissingNumbersAfterARegain()
{
    QFETCH(int, bound);
    QFETCH(bool, byDraw);
    QFETCH(int, regained);
    QFETCH(bool, refused);

    Zolta z;
    z.setBound(QString::number(bound));
    z.choose(QStringLiteral("mnuRandom"));
    if (byDraw) {
        z.platform.randomValues.enqueue((float(regained) - 0.5F) / float(bound));
        z.press();
        QVERIFY(z.finishDraw());
    } else {
        z.addByHand(QString::number(regained));
    }
    const QString first = QString::number(regained);
    QCOMPARE(z.items(), QStringList { first });
    z.list()->setCurrentRow(0);

    z.window.Timer2_Timer();

    QVERIFY(!z.timer("Timer2")->isActive());
    QCOMPARE(z.visibleLamps(), QStringList { "Image0" });
    QCOMPARE(z.variable("intCounter"), qint16(0));
    const QStringList listed = z.items();
    if (refused) {
        QCOMPARE(z.boxes(), QStringList { listFullBox });
        QCOMPARE(listed, QStringList { first });
        return;
    }
    QCOMPARE(z.boxes(), QStringList());
    QCOMPARE(listed.first(), first);
    const QStringList missing = oneTo(bound, regained);
    QCOMPARE(sortedByValue(listed.mid(1)), missing);
    if (missing.isEmpty()) {
        QCOMPARE(z.caption(), prompt);
    } else {
        QCOMPARE(z.caption(), QStringLiteral("Zahl = ") + listed.last());
        QCOMPARE(z.field(), listed.last());
        QCOMPARE(z.variable("intZahl"), qint16(listed.last().toInt()));
        QCOMPARE(z.selectedRow(), -1);
    }
}

void ResultsTest::shouldRefuseUnusableBound_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("changedDuringWait");

    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("beyond 16 bits") << "40000" << false;
    QTest::newRow("huge exponent") << "1e9" << false;
    QTest::newRow("letters typed during the wait") << "abc" << true;
    QTest::newRow("beyond 16 bits typed during the wait") << "40000" << true;
}

void ResultsTest::shouldRefuseUnusableBound()
{
    QFETCH(QString, bound);
    QFETCH(bool, changedDuringWait);

    Zolta z;
    z.addByHand(QStringLiteral("4"));
    z.addByHand(QStringLiteral("9"));
    if (changedDuringWait) {
        z.choose(QStringLiteral("mnuRandom"));
        z.setBound(bound);
        z.window.Timer2_Timer();
    } else {
        z.setBound(bound);
        z.choose(QStringLiteral("mnuRandom"));
    }

    const QString refusal = box(QStringLiteral("Die Obergrenze muss eine Zahl von -32768 bis "
                                               "32767 sein!"),
        error, Platform::Icon::Critical);
    QCOMPARE(z.boxes(), QStringList { refusal });
    // Refused before the reset, the list the user had stays; during the wait
    // the command had already emptied it.
    QCOMPARE(z.items(), changedDuringWait ? QStringList() : QStringList({ "4", "9" }));
    QCOMPARE(z.field(), changedDuringWait ? QString() : QStringLiteral("9"));
    QCOMPARE(z.caption(), prompt);
    QCOMPARE(z.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!z.timer("Timer2")->isActive());
    QCOMPARE(z.variable("intCounter"), qint16(0));
}

void ResultsTest::shouldRefuseAdditionsToAFullList_data()
{
    QTest::addColumn<bool>("byDraw"); // else typed by hand

    QTest::newRow("number typed by hand") << false;
    QTest::newRow("commit of a single draw") << true;
}

void ResultsTest::shouldRefuseAdditionsToAFullList()
{
    QFETCH(bool, byDraw);

    Zolta z;
    z.setBound(QStringLiteral("32767"));
    z.choose(QStringLiteral("mnuRandom"));
    z.window.Timer2_Timer();
    const QStringList full = z.items();
    QCOMPARE(sortedByValue(full), oneTo(32767));
    QCOMPARE(z.boxes(), QStringList());

    if (byDraw) {
        z.platform.randomValues.enqueue(0.5F);
        z.press();
        QVERIFY(z.finishDraw());
    } else {
        z.addByHand(QStringLiteral("0"));
    }

    QCOMPARE(z.boxes(), QStringList { listFullBox });
    QCOMPARE(z.items(), full);
}

void ResultsTest::shouldCopyTheListLineByLine_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("clipboardWorks");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("reply");

    const QString before = QStringLiteral("(vorher)");
    const auto lines = [](int n) {
        return box(QStringLiteral("Es wurden %1 Zeilen in die Zwischenablage kopiert!").arg(n),
            QStringLiteral("Kopieren"), Platform::Icon::Information);
    };
    const QString oneLine = box(QStringLiteral("Es wurde 1 Zeile in die Zwischenablage kopiert!"),
        QStringLiteral("Kopieren"), Platform::Icon::Information);
    const QString failed
        = box(QStringLiteral("Die Liste konnte nicht in die Zwischenablage kopiert werden!"),
            QStringLiteral("Kopieren"), Platform::Icon::Critical);

    QTest::newRow("empty list leaves the clipboard alone")
        << QStringList() << true << before << lines(0);
    QTest::newRow("one line, singular") << QStringList { "5" } << true << "5\r\n" << oneLine;
    QTest::newRow("repeats kept in list order") << QStringList { "3", "7",
        "3" } << true << "3\r\n7\r\n3\r\n" << lines(3);
    QTest::newRow("zero and negative") << QStringList { "0", "-5" } << true << "0\r\n-5\r\n"
                                       << lines(2);
    QTest::newRow("16-bit extremes")
        << QStringList { "-32768", "32767" } << true << "-32768\r\n32767\r\n"
        << lines(2);
    QTest::newRow("clipboard refuses") << QStringList { "5", "6" } << false << before << failed;
    QTest::newRow("clipboard refuses, empty list never asks it")
        << QStringList() << false << before << lines(0);
}

void ResultsTest::shouldCopyTheListLineByLine()
{
    QFETCH(QStringList, listed);
    QFETCH(bool, clipboardWorks);
    QFETCH(QString, clipboard);
    QFETCH(QString, reply);

    Zolta z;
    z.platform.clipboardWorks = clipboardWorks;
    z.list()->addItems(listed);
    const int selected = listed.isEmpty() ? -1 : int(listed.size() / 2);
    if (selected >= 0)
        z.list()->setCurrentRow(selected);
    z.typeNumber(QStringLiteral("42"));
    const QList<qint16> variables = z.variables();

    z.choose(QStringLiteral("mnuListCopy"));

    QCOMPARE(z.platform.clipboard, clipboard);
    QCOMPARE(z.platform.clipboardWrites, clipboard == QStringLiteral("(vorher)") ? 0 : 1);
    QCOMPARE(z.boxes(), QStringList { reply });
    QCOMPARE(z.items(), listed);
    QCOMPARE(z.selectedRow(), selected);
    QCOMPARE(z.field(), QStringLiteral("42"));
    QCOMPARE(z.caption(), prompt);
    QCOMPARE(z.variables(), variables);
}

QTEST_MAIN(ResultsTest)
#include "tst_results.moc"
