// What a screen reader gets from the window: German names and roles for
// every control, the lamp's current colour, and a window usable by keyboard.

#include "window_rig.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldNameEveryControlInGerman_data();
    void shouldNameEveryControlInGerman();
    void shouldLabelTheBoundFields_data();
    void shouldLabelTheBoundFields();
    void shouldTellTheLampsColour();
    void shouldDrawAndAddByKeyboard();
};

namespace {

// The lamp pictures a screen reader finds shown.
QStringList announcedLamps(frmMain &window)
{
    QStringList lamps;
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (child->role() == QAccessible::Graphic && !child->state().invisible)
            lamps << child->text(QAccessible::Name);
    }
    return lamps;
}

} // namespace

void AccessibilityTest::shouldNameEveryControlInGerman_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");

    QTest::newRow("draw button") << "cmdGo"
                                 << "Los!" << int(QAccessible::Button);
    QTest::newRow("reset button") << "cmdReset"
                                  << "Reset" << int(QAccessible::Button);
    QTest::newRow("add button") << "cmdAdd"
                                << "Zahl hinzufügen" << int(QAccessible::Button);
    QTest::newRow("result list") << "lstDone"
                                 << "Ergebnisliste" << int(QAccessible::List);
    QTest::newRow("lower bound") << "txtVon"
                                 << "Untergrenze" << int(QAccessible::EditableText);
    QTest::newRow("number field") << "txtBis"
                                  << "Zahl" << int(QAccessible::EditableText);
    QTest::newRow("skip duplicates")
        << "chkRndClear"
        << "Doppelte Zahlen überspringen" << int(QAccessible::CheckBox);
    QTest::newRow("result label") << "lblRndZahl"
                                  << "Wähle einen Bereich aus!" << int(QAccessible::StaticText);
    QTest::newRow("heading") << "Label1"
                             << "Ermittelt zufällig Zahlen" << int(QAccessible::StaticText);
    QTest::newRow("grey lamp") << "Image0"
                               << "Lampe aus" << int(QAccessible::Graphic);
    QTest::newRow("yellow lamp") << "Image1(0)"
                                 << "Lampe gelb" << int(QAccessible::Graphic);
    QTest::newRow("red lamp") << "Image1(1)"
                              << "Lampe rot" << int(QAccessible::Graphic);
    QTest::newRow("green lamp") << "Image1(2)"
                                << "Lampe grün" << int(QAccessible::Graphic);
}

void AccessibilityTest::shouldNameEveryControlInGerman()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    WindowRig rig;
    auto *widget = rig.window.findChild<QWidget *>(control);
    QVERIFY(widget != nullptr);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(int(accessible->role()), role);
}

void AccessibilityTest::shouldLabelTheBoundFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::newRow("lower bound") << "txtVon"
                                 << "von";
    QTest::newRow("upper bound") << "cboBis"
                                 << "bis";
}

void AccessibilityTest::shouldLabelTheBoundFields()
{
    // On Linux a combo box is announced by its value and its label relation.
    QFETCH(QString, field);
    QFETCH(QString, label);
    WindowRig rig;
    QAccessibleInterface *accessible
        = QAccessible::queryAccessibleInterface(rig.window.findChild<QWidget *>(field));
    QStringList labels;
    for (const auto &relation : accessible->relations(QAccessible::Label))
        labels << relation.first->text(QAccessible::Name);
    QCOMPARE(labels, QStringList { label });
}

void AccessibilityTest::shouldTellTheLampsColour()
{
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QCOMPARE(announcedLamps(rig.window), QStringList { "Lampe aus" });

    rig.window.cmdGo_Click();
    const QStringList expected { "Lampe gelb", "Lampe rot", "Lampe grün" };
    for (const QString &lamp : expected) {
        rig.window.Timer1_Timer();
        QCOMPARE(announcedLamps(rig.window), QStringList { lamp });
    }

    // While a draw-all waits, the red lamp alone.
    rig.window.mnuRandom_Click();
    QCOMPARE(announcedLamps(rig.window), QStringList { "Lampe rot" });
    rig.window.Timer2_Timer();
    QCOMPARE(announcedLamps(rig.window), QStringList { "Lampe aus" });
}

void AccessibilityTest::shouldDrawAndAddByKeyboard()
{
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto *txtBis = rig.get<QLineEdit>("txtBis");

    // The first control in the tab order is the draw button; Space presses it.
    rig.get<QWidget>("chkRndClear")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdGo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(rig.timer("Timer1")->isActive());

    // Tab to the number field, type, and Tab on to "+" to add it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), txtBis);
    QTest::keyClicks(txtBis, QStringLiteral("42"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdAdd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(rig.list()->count(), 1);
    QCOMPARE(rig.list()->item(0)->text(), QStringLiteral("42"));
    QVERIFY(rig.platform.boxes.isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
