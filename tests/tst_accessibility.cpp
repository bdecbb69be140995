// What a screen reader gets from the window: German names and roles for
// every control, the lamp's current colour, and a window usable by keyboard.

#include "window_rig.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldNameEveryControlInGerman_data();
    void shouldNameEveryControlInGerman();
    void shouldLabelTheBoundFields_data();
    void shouldLabelTheBoundFields();
    void shouldTellTheLampsColour();
    void shouldDrawAndAddByKeyboard_data();
    void shouldDrawAndAddByKeyboard();
    void shouldSelectAFieldReachedByTabOnlyOnceItHasTheFocus_data();
    void shouldSelectAFieldReachedByTabOnlyOnceItHasTheFocus();
    void shouldKeepTheBoundListOnTheTypedBound();
    void shouldKeepEveryKeyTypedIntoTheBound_data();
    void shouldKeepEveryKeyTypedIntoTheBound();
    void shouldOpenTheMenuFromTheKeyboard_data();
    void shouldOpenTheMenuFromTheKeyboard();
    void shouldOpenNoToolkitMenu_data();
    void shouldOpenNoToolkitMenu();
#if defined(Q_OS_WIN) && QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    void shouldAnnounceResultsToWindowsScreenReaders_data();
    void shouldAnnounceResultsToWindowsScreenReaders();
#endif
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

void AccessibilityTest::shouldDrawAndAddByKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void AccessibilityTest::shouldDrawAndAddByKeyboard()
{
    QFETCH(int, key);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto *txtBis = rig.get<QLineEdit>("txtBis");

    // The focus starts on the draw button; Space or Return presses it.
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdGo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(rig.timer("Timer1")->isActive());

    // Tab to the number field, which selects its text, type over it, and
    // Tab on to "+" to add it.
    txtBis->setText(QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), txtBis);
    QTRY_COMPARE(txtBis->selectedText(), QStringLiteral("7"));
    QTest::keyClicks(txtBis, QStringLiteral("42"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdAdd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(rig.list()->count(), 1);
    QCOMPARE(rig.list()->item(0)->text(), QStringLiteral("42"));
    QVERIFY(rig.platform.boxes.isEmpty());
}

void AccessibilityTest::shouldSelectAFieldReachedByTabOnlyOnceItHasTheFocus_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("field");
    QTest::newRow("number field") << "cmdGo"
                                  << "txtBis";
    QTest::newRow("bound field") << "txtBis"
                                 << "cboBis";
}

// QWidget::setFocus reports the focus only after the field's focus-in event:
// text selected there reaches Orca first, which then names no field
// (test_orca).
void AccessibilityTest::shouldSelectAFieldReachedByTabOnlyOnceItHasTheFocus()
{
    QFETCH(QString, from);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    rig.get<QLineEdit>("txtBis")->setText(QStringLiteral("7"));
    rig.get<QWidget>(qPrintable(from))->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QWidget *field = QApplication::focusWidget();
    QTEST(field->objectName(), "field");
    QCOMPARE(field->inputMethodQuery(Qt::ImCurrentSelection).toString(), QString());
    QTRY_VERIFY(!field->inputMethodQuery(Qt::ImCurrentSelection).toString().isEmpty());
}

void AccessibilityTest::shouldKeepTheBoundListOnTheTypedBound()
{
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto *bound = rig.get<QComboBox>("cboBis");
    QCOMPARE(bound->currentIndex(), 9);

    bound->lineEdit()->selectAll();
    QTest::keyClicks(bound->lineEdit(), QStringLiteral("37"));
    QCOMPARE(bound->currentIndex(), 36);
    // Opening the list and confirming its highlighted item keeps the bound.
    bound->showPopup();
    QTRY_VERIFY(bound->view()->isVisible());
    QCOMPARE(bound->view()->currentIndex().row(), 36);
    QTest::keyClick(bound->view(), Qt::Key_Return);
    QCOMPARE(bound->currentText(), QStringLiteral("37"));

    // A bound beyond the list is kept as typed.
    QTest::keyClicks(bound->lineEdit(), QStringLiteral("0"));
    QCOMPARE(bound->currentText(), QStringLiteral("370"));
}

void AccessibilityTest::shouldKeepEveryKeyTypedIntoTheBound_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("key"); // moves the cursor
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("bound");
    QTest::newRow("before a listed bound") << "2" << int(Qt::Key_Home) << "14"
                                           << "142";
    QTest::newRow("inside a listed bound") << "10" << int(Qt::Key_Left) << "57"
                                           << "1570";
}

void AccessibilityTest::shouldKeepEveryKeyTypedIntoTheBound()
{
    QFETCH(QString, first);
    QFETCH(int, key);
    QFETCH(QString, then);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto *bound = rig.get<QComboBox>("cboBis");
    bound->setFocus();
    QTRY_VERIFY(bound->lineEdit()->hasFocus());

    bound->clearEditText();
    QTest::keyClicks(bound->lineEdit(), first);
    QTest::keyClick(bound->lineEdit(), Qt::Key(key));
    QTest::keyClicks(bound->lineEdit(), then);
    QTEST(bound->currentText(), "bound");
}

void AccessibilityTest::shouldOpenTheMenuFromTheKeyboard_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("menuKey"); // else Shift+F10
    for (const char *control :
        { "cmdGo", "txtBis", "cboBis", "lstDone", "cmdReset", "cmdAdd", "chkRndClear" }) {
        QTest::addRow("%s, Menu key", control) << control << true;
        QTest::addRow("%s, Shift+F10", control) << control << false;
    }
}

void AccessibilityTest::shouldOpenTheMenuFromTheKeyboard()
{
    QFETCH(QString, control);
    QFETCH(bool, menuKey);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    rig.get<QWidget>(qPrintable(control))->setFocus();
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused != nullptr);

    rig.platform.menuChoices.enqueue(QStringLiteral("mnuAbout"));
    if (menuKey)
        QTest::keyClick(focused, Qt::Key_Menu);
    else
        QTest::keyClick(focused, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(rig.platform.popups, 1);
    QCOMPARE(rig.platform.lastMenuAt, focused->mapToGlobal(QPoint(0, focused->height())));
    QCOMPARE(rig.platform.boxes.size(), 1); // the chosen item ran
}

void AccessibilityTest::shouldOpenNoToolkitMenu_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("bound field's arrow") << "cboBis";
    QTest::newRow("bound field's text") << "cboBis/text";
    QTest::newRow("number field") << "txtBis";
    QTest::newRow("list's scroll bar") << "lstDone/scroll";
}

void AccessibilityTest::shouldOpenNoToolkitMenu()
{
    QFETCH(QString, target);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    QWidget *widget = rig.get<QWidget>(qPrintable(target.section(QLatin1Char('/'), 0, 0)));
    if (target.endsWith(QLatin1String("/text")))
        widget = rig.get<QComboBox>("cboBis")->lineEdit();
    if (target.endsWith(QLatin1String("/scroll")))
        widget = rig.list()->verticalScrollBar();

    // A toolkit menu would run modally; close it and remember that it came.
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            opened = popup->metaObject()->className();
            popup->close();
        }
    });
    QContextMenuEvent press(
        QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &press);
    QCoreApplication::processEvents();
    QCOMPARE(opened, QString());
    QCOMPARE(rig.platform.popups, 0);
}

#if defined(Q_OS_WIN) && QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
namespace {
// "role: text" of every value change with a text that Qt would hand to UI
// Automation.
QStringList *valueTexts = nullptr;
} // namespace

void AccessibilityTest::shouldAnnounceResultsToWindowsScreenReaders_data()
{
    QTest::addColumn<bool>("drawAll");
    QTest::newRow("a drawn number") << false;
    QTest::newRow("the end of a draw-all") << true;
}

void AccessibilityTest::shouldAnnounceResultsToWindowsScreenReaders()
{
    QFETCH(bool, drawAll);
    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    // A screen reader's first question for the window (UiaRootObjectId)
    // switches Qt's accessibility on (QWindowsUiaAccessibility::handleWmGetObject).
    SendMessageW(reinterpret_cast<HWND>(rig.window.winId()), WM_GETOBJECT, 0, LPARAM(-25));
    QVERIFY(QAccessible::isActive());

    QStringList texts;
    valueTexts = &texts;
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (event->type() != QAccessible::ValueChanged)
            return;
        const QVariant value = static_cast<QAccessibleValueChangeEvent *>(event)->value();
        if (value.typeId() == QMetaType::QString)
            *valueTexts << QStringLiteral("%1: %2")
                               .arg(int(event->accessibleInterface()->role()))
                               .arg(value.toString());
    });
    const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });

    if (drawAll) {
        rig.window.mnuRandom_Click();
        rig.window.Timer2_Timer();
    } else {
        rig.window.cmdGo_Click();
        for (int tick = 0; tick < 100 && rig.timer()->isActive(); ++tick)
            rig.window.Timer1_Timer();
    }
    QVERIFY(rig.caption().startsWith(QLatin1String("Zahl = ")));
    QCOMPARE(texts,
        QStringList {
            QStringLiteral("%1: %2").arg(int(QAccessible::StaticText)).arg(rig.caption()) });
}
#endif

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
