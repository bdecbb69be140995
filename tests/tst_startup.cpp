// The window as it opens: controls, places, menus, seed, context menu and
// About box.

#include "platform/qt_platform.h"
#include "window_rig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldPlaceEveryControl_data();
    void shouldPlaceEveryControl();
    void shouldOpenInTheStartUpState();
    void shouldFitEveryCaption_data();
    void shouldFitEveryCaption();
    void shouldOfferBoundsOneTo256();
    void shouldStackTheLampsWithOnlyGreyVisible();
    void shouldFollowTheTabOrder();
    void shouldDeriveSeedFromSeconds_data();
    void shouldDeriveSeedFromSeconds();
    void shouldShowMenuStatesAfterStartUp();
    void shouldOpenContextMenuOnlyOnRightPress_data();
    void shouldOpenContextMenuOnlyOnRightPress();
    void shouldShowAboutBox();
    void shouldNameTheRunningExecutable();
    void shouldTurnLoneCarriageReturnsIntoLineBreaks_data();
    void shouldTurnLoneCarriageReturnsIntoLineBreaks();
    void shouldAnswerTheMessageBoxFromTheKeyboard_data();
    void shouldAnswerTheMessageBoxFromTheKeyboard();
};

void StartupTest::shouldPlaceEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    // Lamp images after start-up all lie on (120, 960).
    QTest::newRow("chkRndClear") << "chkRndClear" << QRect(240, 1680, 2535, 255);
    QTest::newRow("cmdAdd") << "cmdAdd" << QRect(4080, 1680, 255, 255);
    QTest::newRow("cmdReset") << "cmdReset" << QRect(2880, 2160, 1455, 615);
    QTest::newRow("lstDone") << "lstDone" << QRect(2880, 240, 1095, 1425);
    QTest::newRow("cboBis") << "cboBis" << QRect(1800, 600, 735, 315);
    QTest::newRow("txtBis") << "txtBis" << QRect(2880, 1680, 1095, 285);
    QTest::newRow("txtVon") << "txtVon" << QRect(720, 600, 495, 285);
    QTest::newRow("cmdGo") << "cmdGo" << QRect(240, 2160, 1455, 615);
    QTest::newRow("Label3") << "Label3" << QRect(1320, 600, 375, 255);
    QTest::newRow("Label2") << "Label2" << QRect(240, 600, 375, 255);
    QTest::newRow("Label1") << "Label1" << QRect(240, 240, 2175, 255);
    QTest::newRow("Image0") << "Image0" << QRect(120, 960, 480, 480);
    QTest::newRow("Image1(0)") << "Image1(0)" << QRect(120, 960, 480, 480);
    QTest::newRow("Image1(1)") << "Image1(1)" << QRect(120, 960, 480, 480);
    QTest::newRow("Image1(2)") << "Image1(2)" << QRect(120, 960, 480, 480);
    QTest::newRow("lblRndZahl") << "lblRndZahl" << QRect(720, 1080, 2055, 255);
}

void StartupTest::shouldPlaceEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    WindowRig rig;
    auto *widget = rig.window.findChild<QWidget *>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QCOMPARE(widget->geometry(),
        QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QCOMPARE(widget->parentWidget(), &rig.window);
}

void StartupTest::shouldOpenInTheStartUpState()
{
    WindowRig rig;
    const frmMain &window = rig.window;

    QCOMPARE(window.windowTitle(), QStringLiteral("Zolta iacta est"));
    QCOMPARE(window.size(), QSize(306, 202));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!window.windowIcon().isNull());

    auto *txtVon = rig.get<QLineEdit>("txtVon");
    QCOMPARE(txtVon->text(), QStringLiteral("1"));
    QVERIFY(!txtVon->isEnabled());
    QVERIFY(txtVon->font().bold());
    QCOMPARE(txtVon->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(rig.field(), QString());
    QCOMPARE(rig.caption(), QStringLiteral("Wähle einen Bereich aus!"));
    QCOMPARE(rig.get<QLabel>("Label1")->text(), QStringLiteral("Ermittelt zufällig Zahlen"));
    QCOMPARE(rig.get<QLabel>("Label2")->text(), QStringLiteral("von"));
    QCOMPARE(rig.get<QLabel>("Label3")->text(), QStringLiteral("bis"));
    QCOMPARE(
        rig.get<QCheckBox>("chkRndClear")->text(), QStringLiteral("Doppelte Zahlen überspringen"));
    QVERIFY(!rig.get<QCheckBox>("chkRndClear")->isChecked());
    QCOMPARE(rig.get<QPushButton>("cmdAdd")->text(), QStringLiteral("+"));
    QCOMPARE(rig.list()->count(), 0);

    for (const char *name : { "cmdGo", "cmdReset" }) {
        auto *button = rig.get<QPushButton>(name);
        QVERIFY2(button->text().isEmpty(), name);
        QVERIFY2(!button->icon().isNull(), name);
    }
    QCOMPARE(rig.get<QPushButton>("cmdGo")->toolTip(), QStringLiteral("Los!"));
    QCOMPARE(rig.get<QPushButton>("cmdGo")->accessibleName(), QStringLiteral("Los!"));
    QCOMPARE(rig.get<QPushButton>("cmdReset")->toolTip(), QStringLiteral("Reset"));
    QCOMPARE(rig.get<QPushButton>("cmdReset")->accessibleName(), QStringLiteral("Reset"));

    auto *timer1 = rig.timer("Timer1");
    auto *timer2 = rig.timer("Timer2");
    QCOMPARE(timer1->interval(), 250);
    QCOMPARE(timer2->interval(), 1000);
    QVERIFY(!timer1->isActive());
    QVERIFY(!timer2->isActive());

    QCOMPARE(rig.window.zahl(), qint16(0));
    QCOMPARE(rig.window.counter(), qint16(0));
    QCOMPARE(rig.window.rounds(), qint16(1));
    QCOMPARE(rig.window.rndClear(), frmMain::False);
    QCOMPARE(rig.window.msgDoubles(), frmMain::True);
    QVERIFY(rig.platform.boxes.isEmpty());
}

void StartupTest::shouldFitEveryCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // empty: the caption it has
    QTest::newRow("heading") << "Label1" << QString();
    QTest::newRow("von") << "Label2" << QString();
    QTest::newRow("bis") << "Label3" << QString();
    QTest::newRow("check box") << "chkRndClear" << QString();
    QTest::newRow("prompt") << "lblRndZahl" << QString();
    QTest::newRow("widest result") << "lblRndZahl"
                                   << "Zahl = -32768";
    QTest::newRow("widest tick") << "lblRndZahl"
                                 << "Zahl= 11";
}

void StartupTest::shouldFitEveryCaption()
{
    // The layout is fixed, so the captions must fit the font.
    QFETCH(QString, name);
    QFETCH(QString, caption);
    WindowRig rig;
    auto *widget = rig.window.findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    if (!caption.isEmpty())
        qobject_cast<QLabel *>(widget)->setText(caption);
    int needed = widget->sizeHint().width();
    int room = widget->width();
    if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        // The text must fit beside the tick box (the focus frame may not).
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
        needed = box->fontMetrics().horizontalAdvance(box->text());
    }
    QVERIFY2(
        needed <= room, qPrintable(QStringLiteral("needs %1 px, has %2").arg(needed).arg(room)));
}

void StartupTest::shouldOfferBoundsOneTo256()
{
    WindowRig rig;
    auto *cboBis = rig.get<QComboBox>("cboBis");
    QVERIFY(cboBis->isEditable());
    QCOMPARE(cboBis->count(), 256);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(cboBis->itemText(i), QString::number(i + 1));
    QCOMPARE(cboBis->currentText(), QStringLiteral("10"));
}

void StartupTest::shouldStackTheLampsWithOnlyGreyVisible()
{
    WindowRig rig;
    rig.window.show();
    QVERIFY(rig.get<QLabel>("Image0")->isVisible());
    for (const char *name : { "Image1(0)", "Image1(1)", "Image1(2)" }) {
        auto *frame = rig.get<QLabel>(name);
        QVERIFY2(!frame->isVisible(), name);
        QCOMPARE(frame->pos(), QPoint(8, 64));
        QCOMPARE(frame->size(), QSize(32, 32));
    }
}

void StartupTest::shouldFollowTheTabOrder()
{
    WindowRig rig;
    frmMain &window = rig.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QStringList controls { "cmdGo", "txtVon", "txtBis", "cboBis", "lstDone", "cmdReset",
        "cmdAdd", "chkRndClear" };
    auto focusedControl = [&]() -> QString {
        const QWidget *focused = QApplication::focusWidget();
        for (const QString &name : controls) {
            const auto *control = window.findChild<QWidget *>(name);
            if (focused != nullptr && (control == focused || control->isAncestorOf(focused)))
                return name;
        }
        return focused == nullptr ? QStringLiteral("(none)") : focused->objectName();
    };

    rig.get<QWidget>("cmdGo")->setFocus();
    QStringList forward { focusedControl() };
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << focusedControl();
    }
    // The disabled txtVon is passed over; after the last control comes the first.
    QCOMPARE(forward,
        (QStringList { "cmdGo", "txtBis", "cboBis", "lstDone", "cmdReset", "cmdAdd", "chkRndClear",
            "cmdGo" }));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focusedControl(), QStringLiteral("chkRndClear"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focusedControl(), QStringLiteral("cmdAdd"));
}

void StartupTest::shouldDeriveSeedFromSeconds_data()
{
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("seed");
    for (int second = 0; second < 60; ++second)
        QTest::addRow("second %02d", second) << second << second / 10 + second % 10;
}

void StartupTest::shouldDeriveSeedFromSeconds()
{
    QFETCH(int, second);
    QFETCH(int, seed);
    WindowRig rig(QTime(23, 59, second));
    QCOMPARE(int(rig.window.randomizeSeed()), seed);
    // Start-up only derives the seed; the generator is seeded before each draw.
    QVERIFY(rig.platform.seeds.isEmpty());
}

void StartupTest::shouldShowMenuStatesAfterStartUp()
{
    WindowRig rig;
    rig.window.Form_MouseDown(2, 0, 10, 10);
    QCOMPARE(rig.platform.popups, 1);

    struct Expected
    {
        QString path;
        bool enabled;
        bool checked;
        bool separator;
    };
    const QList<Expected> expected {
        { "Bearbeiten", true, false, false },
        { "Bearbeiten > Auschneiden", false, false, false },
        { "Bearbeiten > Kopieren", false, false, false },
        { "Bearbeiten > Einfügen", false, false, false },
        { "Bearbeiten > ", true, false, true },
        { "Bearbeiten > Liste kopieren", true, false, false },
        { "Bearbeiten > ", true, false, true },
        { "Bearbeiten > Alle Zahlen erzeugen", true, false, false },
        { "Reset", true, false, false },
        { "", true, false, true },
        { "Meldung bei doppelten Zahlen", false, true, false },
        { "", true, false, true },
        { "Über...", true, false, false },
    };
    QCOMPARE(rig.platform.lastMenu.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const ShownMenuItem &shown = rig.platform.lastMenu.at(i);
        QCOMPARE(shown.path, expected.at(i).path);
        QCOMPARE(shown.enabled, expected.at(i).enabled);
        QCOMPARE(shown.checked, expected.at(i).checked);
        QCOMPARE(shown.separator, expected.at(i).separator);
    }

    // Every item is reachable by its name too; none has a shortcut.
    for (const char *name : { "mnuFile", "mnuEditMenu" })
        QVERIFY2(rig.window.findChild<QMenu *>(QLatin1String(name)) != nullptr, name);
    for (const char *name :
        { "mnuEdit", "mnuCut", "mnuCopy", "mnuPaste", "mnuLine0", "mnuListCopy", "mnuLine1",
            "mnuRandom", "mnuReset", "mnuLine2", "mnuDoppelt", "mnuLine3", "mnuAbout" }) {
        auto *action = rig.window.findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action != nullptr, name);
        QVERIFY2(action->shortcut().isEmpty(), name);
    }
}

void StartupTest::shouldOpenContextMenuOnlyOnRightPress_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");

    QTest::newRow("right on bare window")
        << "" << Qt::RightButton << Qt::KeyboardModifiers() << true;
    QTest::newRow("right with shift")
        << "" << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("right with ctrl and alt")
        << "" << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
        << true;
    QTest::newRow("left on bare window")
        << "" << Qt::LeftButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("middle on bare window")
        << "" << Qt::MiddleButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right in txtBis")
        << "txtBis" << Qt::RightButton << Qt::KeyboardModifiers() << true;
    QTest::newRow("left in txtBis")
        << "txtBis" << Qt::LeftButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on cboBis")
        << "cboBis" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on lstDone")
        << "lstDone" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on cmdGo")
        << "cmdGo" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on cmdReset")
        << "cmdReset" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on cmdAdd")
        << "cmdAdd" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right on chkRndClear")
        << "chkRndClear" << Qt::RightButton << Qt::KeyboardModifiers() << false;
}

void StartupTest::shouldOpenContextMenuOnlyOnRightPress()
{
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);

    WindowRig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));

    QWidget *widget = &rig.window;
    QPoint at(295, 10); // right of the list: bare window
    if (!target.isEmpty()) {
        widget = rig.window.findChild<QWidget *>(target);
        QVERIFY(widget != nullptr);
        if (auto *view = qobject_cast<QAbstractScrollArea *>(widget))
            widget = view->viewport();
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            widget = combo->lineEdit();
        at = widget->rect().center();
    }
    QTest::mousePress(widget, button, modifiers, at);
    QTest::mouseRelease(widget, button, modifiers, at);
    QCOMPARE(rig.platform.popups, opens ? 1 : 0);
}

void StartupTest::shouldShowAboutBox()
{
    WindowRig rig;
    // Any version will do; three different numbers show each in its place.
    rig.platform.version = { QStringLiteral("Umbenannt"), 2, 7, 4,
        QStringLiteral("Copyright © 2026 Die Zolta-Entwickler") };
    rig.choose(QStringLiteral("mnuAbout"));

    QCOMPARE(rig.platform.boxes.size(), 1);
    const ShownBox &box = rig.platform.boxes.first();
    QCOMPARE(box.prompt,
        QStringLiteral("Umbenannt 2.7\rVersion 2.7.4\r"
                       "Copyright © 2026 Die Zolta-Entwickler"));
    QCOMPARE(box.title, QStringLiteral("Zolta iacta est"));
    QCOMPARE(box.icon, Platform::Icon::Information);
    QCOMPARE(box.buttons, Platform::Buttons::Ok);
}

void StartupTest::shouldNameTheRunningExecutable()
{
    QtPlatform platform;
    const VersionInfo info = platform.versionInfo();
    QCOMPARE(info.baseName, QStringLiteral("tst_startup"));
    QVERIFY(info.copyright.startsWith(QStringLiteral("Copyright © ")));
}

void StartupTest::shouldTurnLoneCarriageReturnsIntoLineBreaks_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("shown");
    QTest::newRow("lone CR") << "a\rb"
                             << "a\nb";
    QTest::newRow("two lone CRs") << "a\rb\rc"
                                  << "a\nb\nc";
    QTest::newRow("CR LF kept") << "a\r\nb"
                                << "a\r\nb";
    QTest::newRow("CR at the end") << "a\r"
                                   << "a\n";
    QTest::newRow("no CR") << "Zahl = 7"
                           << "Zahl = 7";
}

void StartupTest::shouldTurnLoneCarriageReturnsIntoLineBreaks()
{
    QFETCH(QString, prompt);
    QFETCH(QString, shown);
    QCOMPARE(QtPlatform::withLineBreaks(prompt), shown);
}

void StartupTest::shouldAnswerTheMessageBoxFromTheKeyboard_data()
{
    QTest::addColumn<bool>("yesNo");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes is the default")
        << true << int(Qt::Key_Return) << int(Platform::Answer::Yes);
    QTest::newRow("Escape answers No") << true << int(Qt::Key_Escape) << int(Platform::Answer::No);
    QTest::newRow("OK by Return") << false << int(Qt::Key_Return) << int(Platform::Answer::Ok);
    QTest::newRow("OK by Escape") << false << int(Qt::Key_Escape) << int(Platform::Answer::Ok);
}

void StartupTest::shouldAnswerTheMessageBoxFromTheKeyboard()
{
    QFETCH(bool, yesNo);
    QFETCH(int, key);
    QFETCH(int, answer);
    // The key goes to the box as soon as it is up; a box still open at the
    // deadline is closed, so that the test fails rather than hangs.
    const QDeadlineTimer deadline(5000);
    bool pressed = false;
    bool stayedOpen = false;
    QTimer press;
    connect(&press, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        if (!pressed) {
            pressed = true;
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        } else if (deadline.hasExpired()) {
            press.stop();
            stayedOpen = true;
            box->done(QDialog::Rejected);
        }
    });
    press.start(10);
    QtPlatform platform;
    const Platform::Answer given
        = platform.messageBox(nullptr, QStringLiteral("Frage"), QStringLiteral("Titel"),
            Platform::Icon::Question, yesNo ? Platform::Buttons::YesNo : Platform::Buttons::Ok);
    QVERIFY2(!stayedOpen, "the box was still open 5 s after the key");
    QCOMPARE(int(given), answer);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
