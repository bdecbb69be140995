// A single draw: the bound, the formula, the exhaustion notice, the lamp
// animation with its commit, duplicates, the two duplicate options and the
// list lookup.

#include "window_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

using Answer = Platform::Answer;
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

// The largest value the generator gives: 1 - 2^-24.
const float largest = std::nextafter(1.0F, 0.0F);

const QString optionQuestion
    = boxText(QStringLiteral("Möchten Sie, dass doppelt ermittelte Zahlen gemeldet werden?"),
        QStringLiteral("Doppelte Zahlen überspringen"), Platform::Icon::Question,
        Platform::Buttons::YesNo);
const QString duplicateQuestion = boxText(QStringLiteral("Zahl bereits vorhanden, neu ermitteln?"),
    QStringLiteral("Weiter..."), Platform::Icon::Question, Platform::Buttons::YesNo);
const QString boundError
    = boxText(QStringLiteral("Die Obergrenze muss eine Zahl von -32768 bis 32767 sein!"),
        QStringLiteral("Fehler!"), Platform::Icon::Critical);

QString exhausted(const QString &prompt)
{
    return boxText(prompt, QStringLiteral("Zolta iacta est"), Platform::Icon::Information);
}

} // namespace

class DrawTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldAnimateTickByTick_data();
    void shouldAnimateTickByTick();
    void shouldDrawByFormula_data();
    void shouldDrawByFormula();
    void shouldRefuseUnusableBound_data();
    void shouldRefuseUnusableBound();
    void shouldReportExhaustedPool_data();
    void shouldReportExhaustedPool();
    void shouldResumePausedAnimation();
    void shouldPublishLastPressOnly_data();
    void shouldPublishLastPressOnly();
    void shouldSetSelectionOnCommit_data();
    void shouldSetSelectionOnCommit();
    void shouldHandleDuplicateAtCommit_data();
    void shouldHandleDuplicateAtCommit();
    void shouldKeepDuplicateOptionsInStep_data();
    void shouldKeepDuplicateOptionsInStep();
    void shouldLookUpItems_data();
    void shouldLookUpItems();
    void shouldRefuseCommitIntoFullList_data();
    void shouldRefuseCommitIntoFullList();
    void shouldRefuseDrawIntoFullListAtPress();
    void shouldReportAFailureAndStayUsable();
    void shouldHoldTheTicksWhileABoxOrTheMenuIsOpen_data();
    void shouldHoldTheTicksWhileABoxOrTheMenuIsOpen();
};

void DrawTest::shouldAnimateTickByTick_data()
{
    QTest::addColumn<bool>("later");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lamp");
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("rounds");

    struct Step
    {
        int shown; // number after "Zahl= "; 0 before the first tick, -1 on the commit
        int lamp;
        int counter;
        int rounds;
    };
    // First draw after start-up: 12 ticks.
    const Step first[] = { { 0, -1, 0, 1 }, { 1, 0, 1, 2 }, { 2, 1, 2, 3 }, { 3, 2, 3, 4 },
        { 4, 0, 1, 5 }, { 5, 1, 2, 6 }, { 6, 2, 3, 7 }, { 7, 2, 4, 8 }, { 8, 0, 1, 9 },
        { 9, 1, 2, 10 }, { 10, 2, 3, 11 }, { 11, 2, 4, 12 }, { -1, -1, 0, 2 } };
    // Every later draw: 11 ticks.
    const Step later[] = { { 0, -1, 0, 2 }, { 2, 0, 1, 3 }, { 3, 1, 2, 4 }, { 4, 0, 1, 5 },
        { 5, 1, 2, 6 }, { 6, 2, 3, 7 }, { 7, 2, 4, 8 }, { 8, 0, 1, 9 }, { 9, 1, 2, 10 },
        { 10, 2, 3, 11 }, { 11, 2, 4, 12 }, { -1, -1, 0, 2 } };
    const auto add = [](bool isLater, int tick, const Step &step) {
        const QString before
            = isLater ? QStringLiteral("Zahl = 3") : QStringLiteral("Wähle einen Bereich aus!");
        const QString caption = step.shown > 0 ? QStringLiteral("Zahl= %1").arg(step.shown)
            : step.shown == 0                  ? before
                                               : QStringLiteral("Zahl = 7");
        QTest::addRow("%s draw, tick %d", isLater ? "later" : "first", tick)
            << isLater << tick << caption << step.lamp << step.counter << step.rounds;
    };
    for (int tick = 0; tick < 13; ++tick)
        add(false, tick, first[tick]);
    for (int tick = 0; tick < 12; ++tick)
        add(true, tick, later[tick]);
}

void DrawTest::shouldAnimateTickByTick()
{
    QFETCH(bool, later);
    QFETCH(int, ticks);
    QFETCH(QString, caption);
    QFETCH(int, lamp);
    QFETCH(int, counter);
    QFETCH(int, rounds);

    WindowRig rig;
    QStringList before;
    if (later) {
        rig.drawAndCommit(3);
        before << QStringLiteral("3");
    }
    const int commitTick = later ? 11 : 12;
    rig.queue(7);
    rig.press();
    rig.tick(ticks);

    const bool committed = ticks == commitTick;
    QCOMPARE(rig.caption(), caption);
    QCOMPARE(rig.lamp(), lamp);
    QCOMPARE(int(rig.window.counter()), counter);
    QCOMPARE(int(rig.window.rounds()), rounds);
    QCOMPARE(rig.timer()->isActive(), !committed);
    QCOMPARE(rig.window.zahl(), qint16(7));
    QCOMPARE(rig.items(), committed ? before + QStringList { "7" } : before);
    QCOMPARE(rig.field(), committed ? QStringLiteral("7") : before.value(0));
    QVERIFY(rig.platform.boxes.isEmpty());
}

void DrawTest::shouldDrawByFormula_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("expected");

    QTest::newRow("10, r = 0") << "10" << 0.0F << 1;
    QTest::newRow("10, largest r") << "10" << largest << 10;
    QTest::newRow("10, r = 0.5") << "10" << 0.5F << 6;
    QTest::newRow("256, largest r stays below 257") << "256" << largest << 256;
    QTest::newRow("2, largest r stays below 3") << "2" << largest << 2;
    QTest::newRow("1, largest r") << "1" << largest << 1;
    QTest::newRow("32767, largest r") << "32767" << largest << 32767;
    QTest::newRow("blanks around") << " 10 " << largest << 10;
    QTest::newRow("exponent and sign") << "+1e1" << largest << 10;
    QTest::newRow("0, r = 0.5") << "0" << 0.5F << 1;
    QTest::newRow("0, largest r") << "0" << largest << 1;
    QTest::newRow("-5, r = 0") << "-5" << 0.0F << 1;
    QTest::newRow("-5, r = 0.5 floors downward") << "-5" << 0.5F << -2;
    QTest::newRow("-5, largest r") << "-5" << largest << -4;
    QTest::newRow("-0,5, largest r") << "-0,5" << largest << 0;
    QTest::newRow("-32768, largest r") << "-32768" << largest << -32767;
    QTest::newRow("2,5 with comma, largest r") << "2,5" << largest << 3;
    QTest::newRow("2,5 with comma, r = 0") << "2,5" << 0.0F << 1;
    QTest::newRow("grouped 1.000, largest r") << "1.000" << largest << 1000;
}

void DrawTest::shouldDrawByFormula()
{
    QFETCH(QString, bound);
    QFETCH(float, r);
    QFETCH(int, expected);

    WindowRig rig;
    rig.setBound(bound);
    rig.platform.randomValues.enqueue(r);
    rig.press();

    // The number is fixed at the press; the animation only publishes it.
    QCOMPARE(int(rig.window.zahl()), expected);
    QVERIFY(rig.timer()->isActive());
    QVERIFY(rig.items().isEmpty());
    QVERIFY(rig.platform.boxes.isEmpty());
    QCOMPARE(rig.platform.seeds, QList<qint16> { rig.window.randomizeSeed() });
}

void DrawTest::shouldRefuseUnusableBound_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("skipping");

    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("blanks only") << "   " << false << false;
    QTest::newRow("letters") << "abc" << false << false;
    QTest::newRow("digit then letter") << "1x" << false << false;
    QTest::newRow("two separators") << "1,2,3" << false << false;
    QTest::newRow("beyond 16 bits") << "40000" << false << false;
    QTest::newRow("below 16 bits") << "-40000" << false << false;
    QTest::newRow("exponent beyond 16 bits") << "1e9" << false << false;
    QTest::newRow("rounds to 32768") << "32767,5" << false << false;
    QTest::newRow("converts but draws 32768") << "32767,4" << false << false;
    QTest::newRow("below -32768") << "-32768,4" << false << false;
    QTest::newRow("single precision would round into range") << "32767,0001" << false << false;
    QTest::newRow("letters during animation") << "abc" << true << false;
    QTest::newRow("overflow during animation") << "40000" << true << false;
    QTest::newRow("letters with skipping on") << "abc" << false << true;
    QTest::newRow("overflow with skipping on, running") << "1e9" << true << true;
}

void DrawTest::shouldRefuseUnusableBound()
{
    QFETCH(QString, bound);
    QFETCH(bool, running);
    QFETCH(bool, skipping);

    WindowRig rig;
    if (skipping)
        rig.skipDuplicates(Answer::Yes);
    rig.drawAndCommit(3);
    if (running) {
        rig.queue(5);
        rig.press();
        rig.tick(2);
    }
    const QString before = rig.state();
    const QStringList boxes = rig.shownBoxes();

    rig.setBound(bound);
    rig.press();

    QCOMPARE(rig.shownBoxes(), boxes + QStringList { boundError });
    QCOMPARE(rig.state(), before);
}

void DrawTest::shouldReportExhaustedPool_data()
{
    QTest::addColumn<bool>("skipping");
    QTest::addColumn<QString>("bound");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QString>("prompt"); // empty: a number is drawn

    const QString ten = QStringLiteral("Es wurden bereits 10 Zahlen ermittelt!");
    QTest::newRow("10 with 10 items") << true << "10" << 10 << ten;
    QTest::newRow("10 with 12 items names the bound") << true << "10" << 12 << ten;
    QTest::newRow("1 with 1 item") << true << "1" << 1 << "Es wurde bereits eine Zahl ermittelt!";
    QTest::newRow("1 with 3 items names the bound")
        << true << "1" << 3 << "Es wurde bereits eine Zahl ermittelt!";
    QTest::newRow("0 with empty list")
        << true << "0" << 0 << "Es wurden bereits 0 Zahlen ermittelt!";
    QTest::newRow("2,5 with 3 items rounds the bound")
        << true << "2,5" << 3 << "Es wurden bereits 3 Zahlen ermittelt!";
    QTest::newRow("10 with 9 items draws") << true << "10" << 9 << "";
    QTest::newRow("2,5 with 2 items draws") << true << "2,5" << 2 << "";
    QTest::newRow("skipping off, 10 with 12 items draws") << false << "10" << 12 << "";
    QTest::newRow("skipping off, 0 draws") << false << "0" << 0 << "";
}

void DrawTest::shouldReportExhaustedPool()
{
    QFETCH(bool, skipping);
    QFETCH(QString, bound);
    QFETCH(int, listed);
    QFETCH(QString, prompt);

    WindowRig rig;
    if (skipping)
        rig.skipDuplicates(Answer::Yes);
    rig.list()->addItems(numbersUpTo(listed));
    rig.setBound(bound);
    rig.platform.randomValues.enqueue(0.0F);
    rig.press();

    const bool drawn = prompt.isEmpty();
    QStringList boxes = skipping ? QStringList { optionQuestion } : QStringList {};
    if (!drawn)
        boxes << exhausted(prompt);
    QCOMPARE(rig.shownBoxes(), boxes);
    QCOMPARE(rig.timer()->isActive(), drawn);
    QCOMPARE(rig.platform.seeds.size(), drawn ? 1 : 0);
    QCOMPARE(rig.window.zahl(), qint16(drawn ? 1 : 0));
    QCOMPARE(rig.items(), numbersUpTo(listed));
}

void DrawTest::shouldResumePausedAnimation()
{
    WindowRig rig;
    rig.skipDuplicates(Answer::No);
    rig.list()->addItems(numbersUpTo(9));
    rig.queue(10);
    rig.press();
    rig.tick(5);
    const QString paused = QStringLiteral("caption '%1' lamp %2 counter %3 rounds %4");
    const auto now = [&] {
        return paused.arg(rig.caption())
            .arg(rig.lamp())
            .arg(rig.window.counter())
            .arg(rig.window.rounds());
    };
    QCOMPARE(now(), paused.arg("Zahl= 5").arg(1).arg(2).arg(6));

    // A number typed in meanwhile fills the pool: the next press pauses.
    rig.list()->addItem(QStringLiteral("10"));
    rig.press();
    QCOMPARE(rig.shownBoxes().last(),
        exhausted(QStringLiteral("Es wurden bereits 10 Zahlen ermittelt!")));
    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(now(), paused.arg("Zahl= 5").arg(1).arg(2).arg(6));

    // A larger bound lets the next draw go on from tick 6: 13 - 6 ticks.
    rig.setBound(QStringLiteral("11"));
    rig.queue(11, 11);
    rig.press();
    QVERIFY(rig.timer()->isActive());
    rig.tick(6);
    QVERIFY(rig.timer()->isActive());
    QCOMPARE(now(), paused.arg("Zahl= 11").arg(2).arg(4).arg(12));
    rig.tick(1);
    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.items(), numbersUpTo(11));
    QCOMPARE(now(), paused.arg("Zahl = 11").arg(-1).arg(0).arg(2));
}

void DrawTest::shouldPublishLastPressOnly_data()
{
    QTest::addColumn<int>("ticksBefore");
    QTest::newRow("before the first tick") << 0;
    QTest::newRow("in the middle") << 5;
    QTest::newRow("one tick before the commit") << 11;
}

void DrawTest::shouldPublishLastPressOnly()
{
    QFETCH(int, ticksBefore);

    WindowRig rig(QTime(8, 15, 37)); // seed 3 + 7
    rig.queue(3);
    rig.press();
    rig.tick(ticksBefore);
    const qint16 counter = rig.window.counter();
    const qint16 rounds = rig.window.rounds();

    rig.queue(7);
    rig.press();
    QVERIFY(rig.timer()->isActive());
    QCOMPARE(rig.window.counter(), counter);
    QCOMPARE(rig.window.rounds(), rounds);
    QCOMPARE(rig.window.zahl(), qint16(7));
    // Re-seeded with the same number before each draw.
    QCOMPARE(rig.platform.seeds, (QList<qint16> { 10, 10 }));

    rig.tick(11 - ticksBefore);
    QVERIFY(rig.timer()->isActive());
    QVERIFY(rig.items().isEmpty());
    rig.tick(1);
    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.items(), QStringList { "7" });
    QCOMPARE(rig.caption(), QStringLiteral("Zahl = 7"));
    QCOMPARE(rig.field(), QStringLiteral("7"));
}

void DrawTest::shouldSetSelectionOnCommit_data()
{
    QTest::addColumn<bool>("skipping");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selected");

    QTest::newRow("skipping off, duplicate listed again, selection kept")
        << false << 7 << QStringList { "3", "7", "12", "7" } << 0;
    QTest::newRow("skipping off, new number, selection kept")
        << false << 5 << QStringList { "3", "7", "12", "5" } << 0;
    QTest::newRow("skipping on, new number, lookup miss clears selection")
        << true << 5 << QStringList { "3", "7", "12", "5" } << -1;
}

void DrawTest::shouldSetSelectionOnCommit()
{
    QFETCH(bool, skipping);
    QFETCH(int, drawn);
    QFETCH(QStringList, after);
    QFETCH(int, selected);

    WindowRig rig;
    if (skipping)
        rig.skipDuplicates(Answer::Yes);
    rig.list()->addItems({ "3", "7", "12" });
    rig.list()->setCurrentRow(0);
    rig.drawAndCommit(drawn);

    QCOMPARE(rig.items(), after);
    QCOMPARE(rig.selectedRow(), selected);
    QCOMPARE(rig.caption(), QStringLiteral("Zahl = %1").arg(drawn));
    QCOMPARE(rig.field(), QString::number(drawn));
    QCOMPARE(rig.shownBoxes(), skipping ? QStringList { optionQuestion } : QStringList {});
}

void DrawTest::shouldHandleDuplicateAtCommit_data()
{
    QTest::addColumn<Answer>("option");
    QTest::addColumn<QList<Answer>>("replies");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QStringList>("typedIn"); // added to the list during the first animation
    QTest::addColumn<bool>("published");
    QTest::addColumn<QStringList>("boxes"); // after the question of the check box

    const QString ten = exhausted(QStringLiteral("Es wurden bereits 10 Zahlen ermittelt!"));
    const QStringList fill { "1", "2", "4", "5", "6", "8", "9", "10" };
    QTest::newRow("asked, Yes draws again")
        << Answer::Yes << QList<Answer> { Answer::Yes } << QList<int> { 7, 5 } << QStringList {}
        << true << QStringList { duplicateQuestion };
    QTest::newRow("asked, No publishes nothing")
        << Answer::Yes << QList<Answer> { Answer::No } << QList<int> { 7 } << QStringList {}
        << false << QStringList { duplicateQuestion };
    QTest::newRow("asked twice, Yes then No")
        << Answer::Yes << QList<Answer> { Answer::Yes, Answer::No } << QList<int> { 7, 12 }
        << QStringList {} << false << QStringList { duplicateQuestion, duplicateQuestion };
    QTest::newRow("not asked, draws again at once")
        << Answer::No << QList<Answer> {} << QList<int> { 7, 5 } << QStringList {} << true
        << QStringList {};
    QTest::newRow("not asked, repeats until new")
        << Answer::No << QList<Answer> {} << QList<int> { 7, 3, 12, 5 } << QStringList {} << true
        << QStringList {};
    QTest::newRow("asked, Yes, pool filled meanwhile")
        << Answer::Yes << QList<Answer> { Answer::Yes } << QList<int> { 7 } << fill << false
        << QStringList { duplicateQuestion, ten };
    QTest::newRow("not asked, pool filled meanwhile")
        << Answer::No << QList<Answer> {} << QList<int> { 7 } << fill << false
        << QStringList { ten };
    // Ten items or more, but not all of 1..10 (typed numbers outside it, a
    // duplicate drawn while skipping was off): a missing number is drawn.
    QTest::newRow("not asked, 0 and 300 typed meanwhile, 9 and 10 missing")
        << Answer::No << QList<Answer> {} << QList<int> { 7, 10 }
        << QStringList { "0", "300", "1", "2", "4", "5", "6", "8" } << true << QStringList {};
    QTest::newRow("asked, Yes, a duplicate listed meanwhile, 9 and 10 missing")
        << Answer::Yes << QList<Answer> { Answer::Yes } << QList<int> { 7, 9 }
        << QStringList { "1", "2", "4", "5", "6", "8", "3" } << true
        << QStringList { duplicateQuestion };
}

void DrawTest::shouldHandleDuplicateAtCommit()
{
    QFETCH(Answer, option);
    QFETCH(QList<Answer>, replies);
    QFETCH(QList<int>, draws);
    QFETCH(QStringList, typedIn);
    QFETCH(bool, published);
    QFETCH(QStringList, boxes);

    WindowRig rig;
    rig.skipDuplicates(option);
    const QStringList base = QStringList { "3", "7", "12" } + typedIn;
    rig.list()->addItems({ "3", "7", "12" });
    for (Answer reply : replies)
        rig.platform.answers.enqueue(reply);
    for (int k : draws)
        rig.queue(k);

    rig.press();
    rig.tick(5);
    rig.list()->addItems(typedIn);
    rig.tick(7);
    // The duplicate 7 is not published; its entry is highlighted.
    QCOMPARE(rig.caption(), QStringLiteral("Zahl= 11"));
    QCOMPARE(rig.items(), base);
    QCOMPARE(rig.selectedRow(), 1);
    QCOMPARE(rig.lamp(), -1);
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.window.rounds(), qint16(2));
    QCOMPARE(rig.timer()->isActive(), draws.size() > 1);
    QCOMPARE(int(rig.window.zahl()), draws.value(1, 7));

    for (int guard = 0; rig.timer()->isActive() && guard < 10; ++guard)
        rig.tick(11);

    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.shownBoxes(), QStringList { optionQuestion } + boxes);
    QCOMPARE(rig.platform.seeds.size(), draws.size());
    QCOMPARE(int(rig.window.zahl()), draws.last());
    QVERIFY(rig.platform.randomValues.isEmpty());
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.window.rounds(), qint16(2));
    const QString last = QString::number(draws.last());
    if (published) {
        QCOMPARE(rig.items(), base + QStringList { last });
        QCOMPARE(rig.caption(), QStringLiteral("Zahl = ") + last);
        QCOMPARE(rig.field(), last);
        QCOMPARE(rig.selectedRow(), -1);
    } else {
        QCOMPARE(rig.items(), base);
        QCOMPARE(rig.caption(), QStringLiteral("Zahl= 11"));
        QCOMPARE(rig.field(), QString());
        QCOMPARE(rig.selectedRow(), int(base.indexOf(last)));
    }
}

void DrawTest::shouldKeepDuplicateOptionsInStep_data()
{
    // Y/N: tick the box, answering Yes/No; '-': untick it; m: the handler
    // directly; a: the menu action; p: the item chosen in the context menu.
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("skip");
    QTest::addColumn<bool>("report");
    QTest::addColumn<int>("questions");

    QTest::newRow("start-up: greyed and checked") << "" << false << true << 0;
    QTest::newRow("ticked, Yes") << "Y" << true << true << 1;
    QTest::newRow("ticked, No") << "N" << true << false << 1;
    QTest::newRow("unticked after Yes keeps the mark") << "Y-" << false << true << 1;
    QTest::newRow("unticked after No keeps the mark") << "N-" << false << false << 1;
    QTest::newRow("ticked again asks again") << "N-Y" << true << true << 2;
    QTest::newRow("answer replaces menu choice") << "Ym-Y" << true << true << 2;
    QTest::newRow("menu once after Yes") << "Ym" << true << false << 1;
    QTest::newRow("menu once after No") << "Nm" << true << true << 1;
    QTest::newRow("menu twice restores") << "Ymm" << true << true << 1;
    QTest::newRow("menu action flips once") << "Ya" << true << false << 1;
    QTest::newRow("menu action twice restores") << "Naa" << true << false << 1;
    QTest::newRow("context menu flips once") << "Yp" << true << false << 1;
    QTest::newRow("unticked after menu") << "Ym-" << false << false << 1;
    QTest::newRow("greyed item cannot be chosen") << "Y-p" << false << true << 1;
}

void DrawTest::shouldKeepDuplicateOptionsInStep()
{
    QFETCH(QString, script);
    QFETCH(bool, skip);
    QFETCH(bool, report);
    QFETCH(int, questions);

    WindowRig rig;
    auto *box = rig.get<QCheckBox>("chkRndClear");
    auto *item = rig.get<QAction>("mnuDoppelt");
    for (const QChar step : script) {
        switch (step.toLatin1()) {
        case 'Y':
            rig.skipDuplicates(Answer::Yes);
            break;
        case 'N':
            rig.skipDuplicates(Answer::No);
            break;
        case '-':
            box->click();
            break;
        case 'm':
            rig.window.mnuDoppelt_Click();
            break;
        case 'a':
            item->trigger();
            break;
        case 'p':
            rig.choose(QStringLiteral("mnuDoppelt"));
            break;
        default:
            QFAIL("unknown step");
        }
        QCOMPARE(rig.window.rndClear(), box->isChecked() ? frmMain::True : frmMain::False);
        QCOMPARE(item->isEnabled(), box->isChecked());
        QCOMPARE(rig.window.msgDoubles(), item->isChecked() ? frmMain::True : frmMain::False);
    }
    QCOMPARE(box->isChecked(), skip);
    QCOMPARE(item->isChecked(), report);
    QCOMPARE(rig.shownBoxes(), QStringList(questions, optionQuestion));
}

void DrawTest::shouldLookUpItems_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("selectedBefore");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("selectedAfter");

    const QStringList three { "3", "7", "12" };
    QTest::newRow("empty list") << QStringList {} << -1 << "lstDone"
                                << "7" << false << -1;
    QTest::newRow("7 in 3, 7, 12") << three << -1 << "lstDone"
                                   << "7" << true << 1;
    QTest::newRow("last item") << three << 0 << "lstDone"
                               << "12" << true << 2;
    QTest::newRow("beginning of 12 only, 7 selected") << three << 1 << "lstDone"
                                                      << "1" << false << -1;
    QTest::newRow("absent, 3 selected") << three << 0 << "lstDone"
                                        << "5" << false << -1;
    QTest::newRow("leading zero") << three << -1 << "lstDone"
                                  << "07" << false << -1;
    QTest::newRow("leading blank") << three << -1 << "lstDone"
                                   << " 7" << false << -1;
    QTest::newRow("trailing blank") << three << -1 << "lstDone"
                                    << "7 " << false << -1;
    QTest::newRow("negative number") << QStringList { "3", "-3" } << -1 << "lstDone"
                                     << "-3" << true << 1;
    QTest::newRow("label as control") << three << 1 << "lblRndZahl"
                                      << "7" << false << 1;
    QTest::newRow("no control at all") << three << 1 << ""
                                       << "7" << false << 1;
}

void DrawTest::shouldLookUpItems()
{
    QFETCH(QStringList, items);
    QFETCH(int, selectedBefore);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(int, selectedAfter);

    WindowRig rig;
    rig.list()->addItems(items);
    if (selectedBefore >= 0)
        rig.list()->setCurrentRow(selectedBefore);
    QObject *target = control.isEmpty() ? nullptr : rig.window.findChild<QObject *>(control);
    QCOMPARE(target == nullptr, control.isEmpty());

    QCOMPARE(rig.window.ItemExists(target, text), found ? frmMain::True : frmMain::False);
    QCOMPARE(rig.selectedRow(), selectedAfter);
    QCOMPARE(rig.items(), items);
    QVERIFY(rig.platform.boxes.isEmpty());
}

void DrawTest::shouldRefuseCommitIntoFullList_data()
{
    QTest::addColumn<bool>("filledMeanwhile");
    QTest::newRow("one place left") << false;
    QTest::newRow("last place taken during the animation") << true;
}

void DrawTest::shouldRefuseCommitIntoFullList()
{
    QFETCH(bool, filledMeanwhile);
    const bool accepted = !filledMeanwhile;
    const int listed = filledMeanwhile ? 32767 : 32766;

    WindowRig rig;
    rig.list()->addItems(QStringList(32766, QStringLiteral("1")));
    rig.queue(7);
    rig.press();
    if (filledMeanwhile)
        rig.list()->addItem(QStringLiteral("1"));
    rig.list()->item(listed - 1)->setText(QStringLiteral("last"));
    rig.tick(12);

    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.list()->count(), accepted ? listed + 1 : listed);
    QCOMPARE(rig.list()->item(rig.list()->count() - 1)->text(),
        accepted ? QStringLiteral("7") : QStringLiteral("last"));
    QCOMPARE(rig.caption(), accepted ? QStringLiteral("Zahl = 7") : QStringLiteral("Zahl= 11"));
    QCOMPARE(rig.field(), accepted ? QStringLiteral("7") : QString());
    QCOMPARE(rig.platform.boxes.size(), accepted ? 0 : 1);
    if (!accepted) {
        QCOMPARE(rig.platform.boxes.first().title, QStringLiteral("Fehler!"));
        QCOMPARE(rig.platform.boxes.first().icon, Platform::Icon::Critical);
        QCOMPARE(rig.platform.boxes.first().buttons, Platform::Buttons::Ok);
    }
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.window.rounds(), qint16(2));
}

void DrawTest::shouldReportAFailureAndStayUsable()
{
    const QString failure = boxText(QStringLiteral("Ein unerwarteter Fehler ist aufgetreten. "
                                                   "Der Vorgang wurde abgebrochen."),
        QStringLiteral("Fehler!"), Platform::Icon::Critical);
    WindowRig rig;
    rig.drawAndCommit(4);

    // A press whose draw fails: reported, nothing drawn, nothing started.
    rig.platform.failingRandomValues = 1;
    rig.press();
    QCOMPARE(rig.shownBoxes(), QStringList { failure });
    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.items(), QStringList { "4" });
    QCOMPARE(rig.caption(), QStringLiteral("Zahl = 4"));

    // A redraw that fails inside the commit tick: the tick still finishes and
    // leaves the window at rest.
    rig.skipDuplicates(Answer::No);
    rig.queue(4);
    rig.press();
    rig.platform.failingRandomValues = 1;
    rig.tick(11);
    QCOMPARE(rig.shownBoxes().size(), 3);
    QCOMPARE(rig.shownBoxes().last(), failure);
    QVERIFY(!rig.timer()->isActive());
    QCOMPARE(rig.lamp(), -1);
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.window.rounds(), qint16(2));
    QCOMPARE(rig.items(), QStringList { "4" });

    // And the next draw works as ever.
    rig.drawAndCommit(9);
    QCOMPARE(rig.items(), (QStringList { "4", "9" }));
}

void DrawTest::shouldRefuseDrawIntoFullListAtPress()
{
    WindowRig rig;
    rig.list()->addItems(QStringList(32767, QStringLiteral("1")));
    const QString before = rig.state();
    rig.press();
    QCOMPARE(rig.state(), before);
    QCOMPARE(rig.platform.boxes.size(), 1);
    QCOMPARE(rig.platform.boxes.first().title, QStringLiteral("Fehler!"));
}

void DrawTest::shouldHoldTheTicksWhileABoxOrTheMenuIsOpen_data()
{
    QTest::addColumn<bool>("drawAll"); // else a single draw, three ticks on
    QTest::addColumn<QString>("item"); // chosen from the menu; none: "+" on an empty field
    QTest::newRow("+ on an empty field") << false << "";
    QTest::newRow("About box from the menu") << false << "mnuAbout";
    QTest::newRow("About box while a draw-all waits") << true << "mnuAbout";
}

void DrawTest::shouldHoldTheTicksWhileABoxOrTheMenuIsOpen()
{
    QFETCH(bool, drawAll);
    QFETCH(QString, item);
    WindowRig rig;
    rig.setBound(QStringLiteral("3"));
    if (drawAll) {
        rig.choose(QStringLiteral("mnuRandom"));
    } else {
        rig.press();
        rig.tick(3);
    }
    // The state as a box or the menu opens, and after three seconds of ticks.
    QStringList opened;
    QStringList held;
    rig.platform.whileOpen = [&] {
        opened << rig.state();
        for (int tick = 0; tick < 13; ++tick) {
            if (rig.timer()->isActive())
                rig.window.Timer1_Timer();
            if (rig.timer("Timer2")->isActive())
                rig.window.Timer2_Timer();
        }
        held << rig.state();
    };
    if (item.isEmpty())
        rig.addByHand(QString());
    else
        rig.choose(item);

    QVERIFY(!opened.isEmpty());
    QCOMPARE(held, opened);
    // The draw goes on where it stood.
    if (drawAll)
        rig.window.Timer2_Timer();
    QVERIFY(rig.finishDraw());
    QCOMPARE(rig.items().size(), drawAll ? 3 : 1);
}

QTEST_MAIN(DrawTest)
#include "tst_draw.moc"
