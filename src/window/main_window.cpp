// The window model: controls, their places, pictures and event wiring, the
// tab order, and the one way boxes and menus open and failures are told.

#include "window/main_window.h"

#include "platform/numbers.h"
#include "window/announcer.h"
#include "window/lamp.h"
#include "window/pictures.h"
#include "window/tab_into_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace {

template<typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QLabel *lamp(QWidget *parent, const char *picture, const char *name)
{
    return named(new Lamp(pictures::load(QLatin1String(picture)), parent), name);
}

// Image1(2) to Image1(0) are created in that order, like the rest of the
// window from back to front.
std::array<QLabel *, 3> lampFrames(QWidget *parent)
{
    std::array<QLabel *, 3> frames {};
    frames[2] = lamp(parent, "lamp_green", "Image1(2)");
    frames[1] = lamp(parent, "lamp_red", "Image1(1)");
    frames[0] = lamp(parent, "lamp_yellow", "Image1(0)");
    return frames;
}

// A title bar with the system menu and the close button only, and for Windows
// the thin frame of a window of fixed size (Qt::MSWindowsFixedSizeDialogHint).
constexpr Qt::WindowFlags frameButtons = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

frmMain::frmMain(Platform &platform, QWidget *parent)
    : QWidget(parent, frameButtons)
    , m_platform(platform)
    , Timer2(named(new QTimer(this), "Timer2"))
    , chkRndClear(named(new QCheckBox(this), "chkRndClear"))
    , cmdAdd(named(new QPushButton(this), "cmdAdd"))
    , Timer1(named(new QTimer(this), "Timer1"))
    , cmdReset(named(new QPushButton(this), "cmdReset"))
    , lstDone(named(new QListWidget(this), "lstDone"))
    , cboBis(named(new QComboBox(this), "cboBis"))
    , txtBis(named(new QLineEdit(this), "txtBis"))
    , txtVon(named(new QLineEdit(this), "txtVon"))
    , cmdGo(named(new QPushButton(this), "cmdGo"))
    , Label3(named(new QLabel(this), "Label3"))
    , Label2(named(new QLabel(this), "Label2"))
    , Label1(named(new QLabel(this), "Label1"))
    , Image0(lamp(this, "lamp_grey", "Image0"))
    , Image1(lampFrames(this))
    , lblRndZahl(named(new QLabel(this), "lblRndZahl"))
    , announcer(new Announcer(this))
{
    setObjectName(QStringLiteral("frmMain"));

    createControls();
    createMenus();
    connectEvents();
    Form_Load();
}

void frmMain::createControls()
{
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twips(4590), twips(3030));
    setWindowIcon(pictures::load(QStringLiteral("die")));
    // The layout is tight: the captions are sized for an 8-point face.
    QFont small = font();
    small.setPixelSize(11);
    small.setLetterSpacing(QFont::PercentageSpacing, 93);
    setFont(small);

    chkRndClear->setText(QStringLiteral("Doppelte Zahlen überspringen"));
    QFont narrow = small;
    narrow.setLetterSpacing(QFont::PercentageSpacing, 88);
    chkRndClear->setFont(narrow);
    place(chkRndClear, 240, 1680, 2535, 255);

    cmdAdd->setText(QStringLiteral("+"));
    cmdAdd->setAccessibleName(QStringLiteral("Zahl hinzufügen"));
    place(cmdAdd, 4080, 1680, 255, 255);

    cmdReset->setIcon(pictures::load(QStringLiteral("pencil")));
    cmdReset->setIconSize(QSize(32, 32));
    cmdReset->setToolTip(QStringLiteral("Reset"));
    cmdReset->setAccessibleName(QStringLiteral("Reset"));
    place(cmdReset, 2880, 2160, 1455, 615);

    lstDone->setUniformItemSizes(true);
    lstDone->setAccessibleName(QStringLiteral("Ergebnisliste"));
    place(lstDone, 2880, 240, 1095, 1425);

    // 256 plain strings; the default item model costs a third of a megabyte.
    cboBis->setModel(new QStringListModel(cboBis));
    cboBis->setEditable(true);
    cboBis->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: it selects the rest of a listed bound after the
    // cursor, and the next key would replace it (tst_accessibility:
    // shouldKeepEveryKeyTypedIntoTheBound).
    cboBis->setCompleter(nullptr);
    cboBis->setEditText(QStringLiteral("Combo1"));
    cboBis->setAccessibleName(QStringLiteral("Obergrenze"));
    place(cboBis, 1800, 600, 735, 315);

    txtBis->setAccessibleName(QStringLiteral("Zahl"));
    place(txtBis, 2880, 1680, 1095, 285);

#ifdef Q_OS_WIN
    // Windows' "MS Sans Serif" is a bitmap font that scales only in steps;
    // this is its outline twin.
    QFont vonFont(QStringLiteral("Microsoft Sans Serif"));
#else
    QFont vonFont(QStringLiteral("MS Sans Serif"));
#endif
    vonFont.setPointSizeF(8.25);
    vonFont.setBold(true);
    txtVon->setFont(vonFont);
    txtVon->setAlignment(Qt::AlignCenter);
    txtVon->setAccessibleName(QStringLiteral("Untergrenze"));
    place(txtVon, 720, 600, 495, 285);

    cmdGo->setIcon(pictures::load(QStringLiteral("hand")));
    cmdGo->setIconSize(QSize(32, 32));
    cmdGo->setToolTip(QStringLiteral("Los!"));
    cmdGo->setAccessibleName(QStringLiteral("Los!"));
    place(cmdGo, 240, 2160, 1455, 615);

    Label3->setText(QStringLiteral("bis"));
    // Screen readers announce the field by its label (tst_accessibility:
    // shouldLabelTheBoundFields).
    Label3->setBuddy(cboBis);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    place(Label3, 1320, 600, 375, 255);

    Label2->setText(QStringLiteral("von"));
    Label2->setBuddy(txtVon);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label2, 240, 600, 375, 255);

    Label1->setText(QStringLiteral("Ermittelt zufällig Zahlen"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label1, 240, 240, 2175, 255);

    Image0->setAccessibleName(QStringLiteral("Lampe aus"));
    place(Image0, 3960, 1080, 480, 480);
    Image1[2]->setAccessibleName(QStringLiteral("Lampe grün"));
    place(Image1[2], 3960, 600, 480, 480);
    Image1[1]->setAccessibleName(QStringLiteral("Lampe rot"));
    place(Image1[1], 3960, 120, 480, 480);
    Image1[0]->setAccessibleName(QStringLiteral("Lampe gelb"));
    place(Image1[0], 120, 960, 480, 480);

    lblRndZahl->setText(QStringLiteral("Label1"));
    lblRndZahl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblRndZahl, 720, 1080, 2055, 255);

    // Return presses the focused button as Space does, and Space or Return
    // right after start draws (tst_accessibility: shouldDrawAndAddByKeyboard).
    for (QPushButton *button : { cmdGo, cmdAdd, cmdReset })
        button->setAutoDefault(true);
    cmdGo->setFocus();
}

bool frmMain::focusNextPrevChild(bool next)
{
    // The tab order by tab index; labels take no focus and disabled or hidden
    // controls are passed over. (Not QWidget::setTabOrder: with it, Tab on Qt
    // 6.4 leaves cboBis for cmdGo; tst_startup: shouldFollowTheTabOrder.)
    std::array<QWidget *, 8> order { cmdGo, txtVon, txtBis, cboBis, lstDone, cmdReset, cmdAdd,
        chkRndClear };
    if (!next)
        std::reverse(order.begin(), order.end());
    // The controls after the focused one, then from the first on; a control
    // counts as its own ancestor, and nothing is the ancestor of no widget
    // (QWidget::isAncestorOf).
    const QWidget *focused = focusWidget();
    const auto current = std::find_if(order.begin(), order.end(),
        [focused](const QWidget *control) { return control->isAncestorOf(focused); });
    if (current != order.end())
        std::rotate(order.begin(), std::next(current), order.end());
    const auto target = std::find_if(order.begin(), order.end(),
        [](const QWidget *control) { return control->isEnabled() && control->isVisible(); });
    if (target == order.end())
        return false;
    (*target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void frmMain::connectEvents()
{
    connect(cmdGo, &QPushButton::clicked, this, &frmMain::cmdGo_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmMain::cmdAdd_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);
    // Raised whenever the value changes, by mouse or keyboard.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    connect(chkRndClear, &QCheckBox::checkStateChanged, this, &frmMain::chkRndClear_Click);
#else
    connect(chkRndClear, &QCheckBox::stateChanged, this, &frmMain::chkRndClear_Click);
#endif
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    // The list's current item follows the text, so that opening the list and
    // confirming an item never changes the bound by surprise.
    connect(cboBis, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const int index = cboBis->findText(text);
        if (index >= 0)
            cboBis->setCurrentIndex(index);
    });
    new TabIntoField({ txtBis, cboBis }, this);
}

void frmMain::place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

Platform::Answer frmMain::messageBox(
    const QString &prompt, const QString &title, Platform::Icon icon, Platform::Buttons buttons)
{
    ++m_openBoxesAndMenus;
    const auto closed = qScopeGuard([this] { --m_openBoxesAndMenus; });
    return m_platform.messageBox(this, prompt, title, icon, buttons);
}

void frmMain::popupMenu(const std::optional<QPoint> &at)
{
    ++m_openBoxesAndMenus;
    const auto closed = qScopeGuard([this] { --m_openBoxesAndMenus; });
    m_platform.popupMenu(mnuFile, at);
}

void frmMain::reportFailure(std::exception_ptr failure)
{
    QString prompt;
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const numbers::ConversionError &) {
        // Only the checked 16-bit arithmetic throws it, on overflow.
        prompt = QStringLiteral("Eine Zahl liegt außerhalb des erlaubten Bereichs "
                                "von -32768 bis 32767. Der Vorgang wurde abgebrochen.");
    } catch (...) {
        prompt = QStringLiteral("Ein unerwarteter Fehler ist aufgetreten. "
                                "Der Vorgang wurde abgebrochen.");
    }
    try {
        messageBox(
            prompt, QStringLiteral("Fehler!"), Platform::Icon::Critical, Platform::Buttons::Ok);
    } catch (...) { // NOLINT(bugprone-empty-catch)
        // Nothing more can be said; the window stays usable.
    }
}
