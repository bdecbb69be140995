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
    void shouldAddNothingForBoundsBelowOneHalf_data();
    void shouldAddNothingForBoundsBelowOneHalf();
    void shouldDrawOnlyTheMissingNumbersAfterARegain_data();
    void shouldDrawOnlyTheMissingNumbersAfterARegain();
    void shouldRefuseUnusableBoundOfDrawAll_data();
    void shouldRefuseUnusableBoundOfDrawAll();
    void shouldRefuseAdditionsToAFullList_data();
    void shouldRefuseAdditionsToAFullList();
    void shouldCopyTheListLineByLine_data();
    void shouldCopyTheListLineByLine();
};

namespace {

const QString prompt = QStringLiteral("Wähle einen Bereich aus!");
const QString error = QStringLiteral("Fehler!");

const QString listFullBox
    = boxText(QStringLiteral("Die Liste ist voll: Sie fasst höchstens 32767 Zahlen. "
                             "Es wurde nichts hinzugefügt."),
        error, Platform::Icon::Critical);

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
        = boxText(QStringLiteral("Eingabefeld ist leer!"), info, Platform::Icon::Information);
    const QString noNumber
        = boxText(QStringLiteral("Nur Zahlen erlaubt!"), error, Platform::Icon::Critical);
    const QString range = boxText(QStringLiteral("Nur Zahlen von -32768 bis 32767 erlaubt!"), error,
        Platform::Icon::Critical);
    const QString duplicate = boxText(
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

    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    rig.list()->addItems(listed);
    if (selected >= 0)
        rig.list()->setCurrentRow(selected);
    QCOMPARE(rig.selectedRow(), selected);
    const QList<qint16> variables = rig.variables();
    rig.typeNumber(typed);
    auto *elsewhere = rig.get<QWidget>("cmdGo");
    elsewhere->setFocus();
    QCOMPARE(QApplication::focusWidget(), elsewhere);

    rig.get<QPushButton>("cmdAdd")->click();

    QCOMPARE(rig.items(), expected);
    QCOMPARE(rig.selectedRow(), expectedSelection);
    QCOMPARE(rig.shownBoxes(), reply.isEmpty() ? QStringList() : QStringList { reply });
    QCOMPARE(QApplication::focusWidget(), focusToField ? rig.get<QWidget>("txtBis") : elsewhere);
    QCOMPARE(rig.field(), typed);
    QCOMPARE(rig.caption(), prompt);
    QCOMPARE(rig.variables(), variables);
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

    WindowRig rig;
    // Both timers running: a draw-all waiting and a single draw half-way.
    rig.choose(QStringLiteral("mnuRandom"));
    if (withItems) {
        for (const char *number : { "4", "-5", "300" })
            rig.addByHand(QLatin1String(number));
    }
    rig.typeNumber(QStringLiteral("12"));
    rig.queue(3);
    rig.press();
    rig.tick(2);
    QVERIFY(rig.caption() != prompt);
    QCOMPARE(rig.items().isEmpty(), !withItems);
    const QList<qint16> variables = rig.variables();
    const QStringList lamps = rig.visibleLamps();

    if (fromMenu)
        rig.choose(QStringLiteral("mnuReset"));
    else
        rig.get<QPushButton>("cmdReset")->click();

    QCOMPARE(rig.items(), QStringList());
    QCOMPARE(rig.field(), QString());
    QCOMPARE(rig.caption(), prompt);
    QVERIFY(rig.timer("Timer1")->isActive());
    QVERIFY(rig.timer("Timer2")->isActive());
    QCOMPARE(rig.timer("Timer1")->interval(), 250);
    QCOMPARE(rig.timer("Timer2")->interval(), 1000);
    QCOMPARE(rig.variables(), variables);
    QCOMPARE(rig.visibleLamps(), lamps);
    QCOMPARE(rig.get<QComboBox>("cboBis")->currentText(), QStringLiteral("10"));
    QCOMPARE(rig.shownBoxes(), QStringList());

    // The running draw is not cancelled: its number lands in the emptied list.
    QVERIFY(rig.finishDraw());
    QCOMPARE(rig.items(), QStringList { "3" });
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

    WindowRig rig;
    rig.setBound(QString::number(bound));
    if (earlierTicks >= 0) {
        rig.choose(QStringLiteral("mnuRandom"));
        if (earlierTicks > 0)
            rig.window.Timer2_Timer();
        rig.platform.seeds.clear();
    }
    // Numbers listed before the command must not survive it.
    rig.addByHand(QStringLiteral("0"));
    rig.addByHand(QStringLiteral("300"));
    rig.list()->setCurrentRow(0);

    rig.choose(QStringLiteral("mnuRandom"));

    QCOMPARE(rig.items(), QStringList());
    QCOMPARE(rig.field(), QString());
    QCOMPARE(rig.caption(), prompt);
    QCOMPARE(rig.visibleLamps(), QStringList { "Image1(1)" });
    QVERIFY(rig.timer("Timer2")->isActive());
    QCOMPARE(rig.timer("Timer2")->interval(), 1000);

    rig.window.Timer2_Timer();

    const QStringList drawn = rig.items();
    QCOMPARE(sortedByValue(drawn), numbersUpTo(bound));
    QCOMPARE(rig.caption(), QStringLiteral("Zahl = ") + drawn.last());
    QCOMPARE(rig.field(), drawn.last());
    QCOMPARE(rig.window.zahl(), qint16(drawn.last().toInt()));
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.selectedRow(), -1);
    QCOMPARE(rig.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!rig.timer("Timer2")->isActive());
    QCOMPARE(rig.shownBoxes(), QStringList());
    // Seeded once for the whole draw-all, with the start-up seed.
    QCOMPARE(rig.platform.seeds, QList<qint16>({ rig.window.randomizeSeed() }));
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
    QTest::newRow("bound 0,5 gives the 1") << "0,5" << QList<float> { 0.9F } << QStringList { "1" };
    QTest::newRow("bound 0,99 gives the 1")
        << "0,99" << QList<float> { 0.0F } << QStringList { "1" };
}

void ResultsTest::shouldListNumbersInTheOrderOfTheFormula()
{
    QFETCH(QString, bound);
    QFETCH(QList<float>, randoms);
    QFETCH(QStringList, expected);

    WindowRig rig;
    rig.setBound(bound);
    rig.choose(QStringLiteral("mnuRandom"));
    for (float r : randoms)
        rig.platform.randomValues.enqueue(r);
    rig.window.Timer2_Timer();

    QCOMPARE(rig.items(), expected);
    QVERIFY(rig.platform.randomValues.isEmpty());
    QCOMPARE(rig.caption(), QStringLiteral("Zahl = ") + expected.last());

    // The list filled in one batch reaches the clipboard like any other.
    rig.choose(QStringLiteral("mnuListCopy"));
    QCOMPARE(
        rig.platform.clipboard, expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void ResultsTest::shouldAddNothingForBoundsBelowOneHalf_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("report"); // empty: the command waits for its tick

    QTest::newRow("0, skipping off: waits, adds nothing") << "0" << false << "";
    QTest::newRow("0, skipping on: reports at once")
        << "0" << true << "Es wurden bereits 0 Zahlen ermittelt!";
    QTest::newRow("negative, skipping off: waits, adds nothing") << "-3" << false << "";
    QTest::newRow("0,49, skipping on: waits, adds nothing") << "0,49" << true << "";
    QTest::newRow("negative, skipping on: reports at once")
        << "-3" << true << "Es wurden bereits -3 Zahlen ermittelt!";
}

void ResultsTest::shouldAddNothingForBoundsBelowOneHalf()
{
    QFETCH(QString, bound);
    QFETCH(bool, ticked);
    QFETCH(QString, report);

    WindowRig rig;
    rig.get<QCheckBox>("chkRndClear")->setChecked(ticked);
    rig.addByHand(QStringLiteral("4"));
    rig.addByHand(QStringLiteral("-5"));
    rig.setBound(bound);
    rig.platform.boxes.clear();

    rig.choose(QStringLiteral("mnuRandom"));

    QCOMPARE(rig.items(), QStringList());
    QCOMPARE(rig.field(), QString());
    QCOMPARE(rig.caption(), prompt);
    if (report.isEmpty()) {
        QCOMPARE(rig.visibleLamps(), QStringList { "Image1(1)" });
        QVERIFY(rig.timer("Timer2")->isActive());
        rig.window.Timer2_Timer();
        QCOMPARE(rig.items(), QStringList());
        QCOMPARE(rig.field(), QString());
        QCOMPARE(rig.caption(), prompt);
        QCOMPARE(rig.shownBoxes(), QStringList());
    } else {
        const QString reported
            = boxText(report, QStringLiteral("Zolta iacta est"), Platform::Icon::Information);
        QCOMPARE(rig.shownBoxes(), QStringList { reported });
    }
    QCOMPARE(rig.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!rig.timer("Timer2")->isActive());
    QCOMPARE(rig.window.zahl(), qint16(0));
    QCOMPARE(rig.window.counter(), qint16(0));
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

    WindowRig rig;
    rig.setBound(QString::number(bound));
    rig.choose(QStringLiteral("mnuRandom"));
    if (byDraw) {
        QVERIFY(rig.drawAndCommit(regained, bound));
    } else {
        rig.addByHand(QString::number(regained));
    }
    const QString first = QString::number(regained);
    QCOMPARE(rig.items(), QStringList { first });
    rig.list()->setCurrentRow(0);

    rig.window.Timer2_Timer();

    QVERIFY(!rig.timer("Timer2")->isActive());
    QCOMPARE(rig.visibleLamps(), QStringList { "Image0" });
    QCOMPARE(rig.window.counter(), qint16(0));
    const QStringList listed = rig.items();
    if (refused) {
        QCOMPARE(rig.shownBoxes(), QStringList { listFullBox });
        QCOMPARE(listed, QStringList { first });
        return;
    }
    QCOMPARE(rig.shownBoxes(), QStringList());
    QCOMPARE(listed.first(), first);
    const QStringList missing = numbersUpTo(bound, regained);
    QCOMPARE(sortedByValue(listed.mid(1)), missing);
    if (missing.isEmpty()) {
        QCOMPARE(rig.caption(), prompt);
    } else {
        QCOMPARE(rig.caption(), QStringLiteral("Zahl = ") + listed.last());
        QCOMPARE(rig.field(), listed.last());
        QCOMPARE(rig.window.zahl(), qint16(listed.last().toInt()));
        QCOMPARE(rig.selectedRow(), -1);
    }
}

void ResultsTest::shouldRefuseUnusableBoundOfDrawAll_data()
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

void ResultsTest::shouldRefuseUnusableBoundOfDrawAll()
{
    QFETCH(QString, bound);
    QFETCH(bool, changedDuringWait);

    WindowRig rig;
    rig.addByHand(QStringLiteral("4"));
    rig.addByHand(QStringLiteral("9"));
    if (changedDuringWait) {
        rig.choose(QStringLiteral("mnuRandom"));
        rig.setBound(bound);
        rig.window.Timer2_Timer();
    } else {
        rig.setBound(bound);
        rig.choose(QStringLiteral("mnuRandom"));
    }

    const QString refusal = boxText(QStringLiteral("Die Obergrenze muss eine Zahl von -32768 bis "
                                                   "32767 sein!"),
        error, Platform::Icon::Critical);
    QCOMPARE(rig.shownBoxes(), QStringList { refusal });
    // Refused before the reset, the list the user had stays; during the wait
    // the command had already emptied it.
    QCOMPARE(rig.items(), changedDuringWait ? QStringList() : QStringList({ "4", "9" }));
    QCOMPARE(rig.field(), changedDuringWait ? QString() : QStringLiteral("9"));
    QCOMPARE(rig.caption(), prompt);
    QCOMPARE(rig.visibleLamps(), QStringList { "Image0" });
    QVERIFY(!rig.timer("Timer2")->isActive());
    QCOMPARE(rig.window.counter(), qint16(0));
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

    WindowRig rig;
    rig.setBound(QStringLiteral("32767"));
    rig.choose(QStringLiteral("mnuRandom"));
    rig.window.Timer2_Timer();
    const QStringList full = rig.items();
    QCOMPARE(sortedByValue(full), numbersUpTo(32767));
    QCOMPARE(rig.shownBoxes(), QStringList());

    if (byDraw) {
        rig.platform.randomValues.enqueue(0.5F);
        rig.press();
        QVERIFY(rig.finishDraw());
    } else {
        rig.addByHand(QStringLiteral("0"));
    }

    QCOMPARE(rig.shownBoxes(), QStringList { listFullBox });
    QCOMPARE(rig.items(), full);
}

void ResultsTest::shouldCopyTheListLineByLine_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("clipboardWorks");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("reply");

    const QString before = QStringLiteral("(vorher)");
    const auto lines = [](int n) {
        return boxText(QStringLiteral("Es wurden %1 Zeilen in die Zwischenablage kopiert!").arg(n),
            QStringLiteral("Kopieren"), Platform::Icon::Information);
    };
    const QString oneLine
        = boxText(QStringLiteral("Es wurde 1 Zeile in die Zwischenablage kopiert!"),
            QStringLiteral("Kopieren"), Platform::Icon::Information);
    const QString failed
        = boxText(QStringLiteral("Die Liste konnte nicht in die Zwischenablage kopiert werden!"),
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

    WindowRig rig;
    rig.platform.clipboardWorks = clipboardWorks;
    rig.list()->addItems(listed);
    const int selected = listed.isEmpty() ? -1 : int(listed.size() / 2);
    if (selected >= 0)
        rig.list()->setCurrentRow(selected);
    rig.typeNumber(QStringLiteral("42"));
    const QList<qint16> variables = rig.variables();

    rig.choose(QStringLiteral("mnuListCopy"));

    QCOMPARE(rig.platform.clipboard, clipboard);
    QCOMPARE(rig.platform.clipboardWrites, clipboard == QStringLiteral("(vorher)") ? 0 : 1);
    QCOMPARE(rig.shownBoxes(), QStringList { reply });
    QCOMPARE(rig.items(), listed);
    QCOMPARE(rig.selectedRow(), selected);
    QCOMPARE(rig.field(), QStringLiteral("42"));
    QCOMPARE(rig.caption(), prompt);
    QCOMPARE(rig.variables(), variables);
}

QTEST_MAIN(ResultsTest)
#include "tst_results.moc"
