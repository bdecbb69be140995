#pragma once

// frmMain: the program's one window. It owns its controls, its six state
// variables and every procedure; window/, state/, draw/ and results/ each
// define the members of their task.

#include "platform/platform.h"

#include <QWidget>

#include <array>
#include <exception>
#include <optional>
#include <utility>

class Announcer;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

class frmMain : public QWidget
{
    Q_OBJECT

public:
    // Booleans are 16-bit: -1 for True, 0 for False.
    static constexpr qint16 True = -1;
    static constexpr qint16 False = 0;

    // The window does not own the platform; it must outlive the window.
    explicit frmMain(Platform &platform, QWidget *parent = nullptr);

    // True when objControl is a list holding an item whose text is exactly
    // strItem; that item is then selected. Never fails: anything that goes
    // wrong answers False.
    [[nodiscard]] qint16 ItemExists(QObject *objControl, const QString &strItem);

    // The state variables, for the widget tests and the fuzzer.
    [[nodiscard]] qint16 zahl() const { return intZahl; }
    [[nodiscard]] qint16 counter() const { return intCounter; }
    [[nodiscard]] qint16 rounds() const { return intRounds; }
    [[nodiscard]] qint16 rndClear() const { return bolRndClear; }
    [[nodiscard]] qint16 randomizeSeed() const { return intRandomize; }
    [[nodiscard]] qint16 msgDoubles() const { return bolMsgDoubles; }

public Q_SLOTS:
    void Form_Load();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Form_MouseDown(qint16 button, qint16 shift, float x, float y);
    void txtBis_MouseDown(qint16 button, qint16 shift, float x, float y);
    void cmdGo_Click();
    void cmdAdd_Click();
    void cmdReset_Click();
    void chkRndClear_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void mnuListCopy_Click();
    void mnuRandom_Click();
    void mnuReset_Click();
    void mnuDoppelt_Click();
    void mnuAbout_Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // window/
    // The layout is given in twips; 15 twips make one pixel at 96 dpi.
    static constexpr int twips(int value) { return value / 15; }
    static void place(QWidget *widget, int left, int top, int width, int height);
    void createControls();
    // The menu tree, the presses and keys that open it, and no other menu.
    void createMenus();
    void connectEvents();
    void ShowContextMenu(const qint16 &button);
    // The same menu from the keyboard (Menu key, Shift+F10), at the control.
    void showContextMenuAt(QWidget *control);

    // state/
    void InitSeed();

    // draw/
    // The bound in cboBis as a draw uses it; nothing, after telling the user,
    // when it is no number or lies outside -32768..32767.
    [[nodiscard]] std::optional<float> drawBound();
    // Skipping is on and every number of 1..N a draw from the bound can give is
    // listed; for a bound of 0 or less always, although a draw from it can give 1.
    [[nodiscard]] bool poolExhausted(float bound);
    void CheckAllDrawn(float bound);
    void ShowNumber();
    void ShowUniqueNumber();
    void StartDrawAll(float bound);
    void DrawAll();
    // Appends the numbers to the list, then shows and announces "Zahl = n"
    // for the last one, n, and writes n into txtBis; nothing, after telling
    // the user, when the list cannot take them all.
    void publish(const QStringList &numbers);
    // Shows the lamp alone of the four.
    void showLamp(QLabel *lamp);
    // Enabling a running timer leaves its rhythm alone.
    static void enableTimer(QTimer *timer);

    // results/
    void CopyListToClipboard();
    // True when an item has exactly the text; the first such item is then
    // selected, and a miss leaves the selection alone.
    [[nodiscard]] qint16 ListContains(QListWidget *list, const QString &text);
    // False, after telling the user, when the list cannot take `more` items.
    [[nodiscard]] bool listHasRoom(int more);

    // window/: every box and menu opens through these two. Each runs an event
    // loop of its own (QDialog::exec, QMenu::exec), in which Timer1 and
    // Timer2 keep firing; while one is open,
    // their ticks are held: dropped, with the timer left running, so that
    // the animation goes on where it stood once the last one has closed.
    Platform::Answer messageBox(const QString &prompt, const QString &title, Platform::Icon icon,
        Platform::Buttons buttons);
    void popupMenu(const std::optional<QPoint> &at);

    // Every handler runs its body through guarded(): a failure that gets past
    // the handler's own checks is reported in German, the handler ends, and
    // the window stays usable.
    template<typename Body>
    void guarded(Body &&body);
    void reportFailure(std::exception_ptr failure);

    Platform &m_platform;

    // Controls, in the order the window creates them.
    QTimer *const Timer2;
    QCheckBox *const chkRndClear;
    QPushButton *const cmdAdd;
    QTimer *const Timer1;
    QPushButton *const cmdReset;
    QListWidget *const lstDone;
    QComboBox *const cboBis;
    QLineEdit *const txtBis;
    QLineEdit *const txtVon;
    QPushButton *const cmdGo;
    QLabel *const Label3;
    QLabel *const Label2;
    QLabel *const Label1;
    QLabel *const Image0;
    const std::array<QLabel *, 3> Image1;
    QLabel *const lblRndZahl;
    // Speaks a committed number to a screen reader.
    Announcer *const announcer;

    // The root of the menu tree, never shown as a menu bar, only as the
    // context menu, and the items whose state the handlers change. The rest
    // of the tree the menu owns; each item has its objectName.
    QMenu *mnuFile = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuDoppelt = nullptr;

    int m_openBoxesAndMenus = 0;

    // State variables.
    qint16 intZahl = 0;
    qint16 intCounter = 0;
    qint16 intRounds = 0;
    qint16 bolRndClear = False;
    qint16 intRandomize = 0;
    qint16 bolMsgDoubles = False;
};

template<typename Body>
void frmMain::guarded(Body &&body)
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        reportFailure(std::current_exception());
    }
}
