// Fuzzes the window headless: each input is a sequence of user actions and
// scripted platform answers, decoded from bytes (see Action below), played on
// a fresh window with a fresh fake platform. After every action the result
// list must hold only decimal texts of 16-bit numbers, at most 32767 of them,
// and no exception may have left a handler. The commands that change the list
// are also checked against what they must do to it, and a tick that comes
// while a box or the menu is open must change nothing. Any violation aborts.
//
// Byte format, one action after the other (a missing byte reads as 0):
//   op = byte % 32, then the operands the op takes:
//   text operand: k = byte; k < 128: k % 8 characters, each alphabet[byte % 17];
//                 k < 192: cannedTexts[(k - 128) % count]; else: the decimal
//                 text of a signed 16-bit value from two bytes (big end first).

#include "fake_platform.h"
#include "platform/numbers.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSet>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

namespace {

enum Action : std::uint8_t {
    TypeBound, // text -> cboBis edit text
    TypeNumber, // text -> txtBis
    ClickGo,
    ClickAdd,
    ClickReset,
    ToggleSkipDoubles, // chkRndClear->setChecked(!checked)
    MenuRandom,
    MenuReset,
    MenuDoubles,
    MenuListCopy,
    MenuAbout,
    ContextMenuWindow, // byte: menu item; right press on the window
    ContextMenuNumber, // byte: menu item; right press on txtBis
    OtherPress, // byte: which button and where
    AnswerYes,
    AnswerNo,
    AnswerOk,
    QueueRandom, // byte: kind (0, 1-2^-24, 1/2, 2^-24, else three bytes k * 2^-24)
    Tick1IfActive,
    Tick1,
    Tick2IfActive,
    Tick2,
    FinishAnimation, // Timer1 ticks while it runs, 16 at most
    ToggleClipboard,
    DrawOnce, // ClickGo then FinishAnimation
    TypeBoundValue, // two bytes: signed 16-bit value as decimal text into cboBis
    DrawAllNow, // MenuRandom then Tick2IfActive
    AddValue, // two bytes: value into txtBis, then ClickAdd
    RealPress, // byte: a real mouse press event (target, button, modifiers)
    TicksWhileOpen, // byte: ticks of each running timer while every later box or menu is open
    ActionCount = 30, // ops 30 and 31 repeat the first two
};

constexpr std::array<const char *, ActionCount> actionNames { "TypeBound", "TypeNumber", "ClickGo",
    "ClickAdd", "ClickReset", "ToggleSkipDoubles", "MenuRandom", "MenuReset", "MenuDoubles",
    "MenuListCopy", "MenuAbout", "ContextMenuWindow", "ContextMenuNumber", "OtherPress",
    "AnswerYes", "AnswerNo", "AnswerOk", "QueueRandom", "Tick1IfActive", "Tick1", "Tick2IfActive",
    "Tick2", "FinishAnimation", "ToggleClipboard", "DrawOnce", "TypeBoundValue", "DrawAllNow",
    "AddValue", "RealPress", "TicksWhileOpen" };

// ZOLTA_FUZZ_TRACE=1 prints every action and text: the way to read a crash input.
const bool tracing = qEnvironmentVariableIsSet("ZOLTA_FUZZ_TRACE");

constexpr std::array<char, 17> alphabet { '0', '1', '2', '3', '5', '7', '9', '-', '+', ',', '.',
    'e', 'E', ' ', '\t', 'a', '6' };

const std::array<const char *, 32> cannedTexts { "32767", "32768", "-32768", "-32769", "1", "0",
    "2", "10", "256", "4096", "1e4", "3,2767e4", "32767,4", "32767,5", "0,5", "1,5", "2,5", "-1",
    "1e-30", "1e400", "99999999999999999999", "16777216", " 12 ", "1.000,5", "", " ",
    "0,49999999999999999999", "3,9999999", "1e5", "-0", "65536", "3.4028236e38" };

const std::array<const char *, 16> menuItems { "mnuListCopy", "mnuRandom", "mnuReset", "mnuDoppelt",
    "mnuAbout", "mnuCut", "mnuCopy", "mnuPaste", "mnuEdit", "mnuLine2", "mnuFile", "", "mnuRandom",
    "mnuListCopy", "nichts", "mnuReset" };

// A draw-all of more than this many numbers is big; an input may do only a
// few, so that every input runs in well under a second.
constexpr int bigDrawAll = 2048;
constexpr int bigDrawAllsPerInput = 2;
// Each action costs 1 + (list size / 64) of this.
constexpr int budgetPerInput = 3000;
constexpr int listCapacity = 32767;

class Bytes
{
public:
    Bytes(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }
    [[nodiscard]] bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    qint16 word()
    {
        const int high = byte();
        const int low = byte();
        return static_cast<qint16>(static_cast<std::uint16_t>((high << 8) | low));
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

[[noreturn]] void fail(const char *what, int step, int action)
{
    std::fprintf(stderr, "fuzz_window: %s (step %d, action %d)\n", what, step, action);
    std::abort();
}

template<typename T>
T *child(const frmMain &window, const char *name)
{
    auto *found = window.findChild<T *>(QLatin1String(name));
    if (found == nullptr) {
        std::fprintf(stderr, "fuzz_window: the window has no %s\n", name);
        std::abort();
    }
    return found;
}

// The value of a list text, when it is exactly the decimal text of a 16-bit number.
std::optional<qint16> listValue(const QString &text)
{
    const numbers::Converted<qint16> value = numbers::tryToInt16(text);
    if (!value.ok || QString::number(value.value) != text)
        return std::nullopt;
    return value.value;
}

// The largest or smallest number a draw with bound n can give (the other end
// is 1): floor((1 - 2^-24) * n + 1).
double drawExtreme(float n)
{
    return std::floor((1.0 - std::ldexp(1.0, -24)) * static_cast<double>(n) + 1.0);
}

class Driver
{
public:
    Driver(FakePlatform &platform, frmMain &window)
        : m_platform(platform)
        , m_window(window)
        , m_list(child<QListWidget>(window, "lstDone"))
        , m_bound(child<QComboBox>(window, "cboBis"))
        , m_number(child<QLineEdit>(window, "txtBis"))
        , m_skip(child<QCheckBox>(window, "chkRndClear"))
        , m_timer1(child<QTimer>(window, "Timer1"))
        , m_timer2(child<QTimer>(window, "Timer2"))
        , m_doubles(child<QAction>(window, "mnuDoppelt"))
        , m_caption(child<QLabel>(window, "lblRndZahl"))
    {
        checkInvariants();
    }

    void play(Bytes &in)
    {
        int budget = budgetPerInput;
        while (!in.atEnd() && budget > 0) {
            m_action = in.byte() % 32 % ActionCount;
            if (tracing)
                std::fprintf(stderr, "step %d: %s\n", m_step, actionNames.at(m_action));
            perform(static_cast<Action>(m_action), in);
            checkInvariants();
            budget -= 1 + static_cast<int>(m_verified.size()) / 64;
            ++m_step;
        }
    }

private:
    // Runs a handler the way the event loop would: an exception that gets out
    // is a fault.
    template<typename Call>
    void run(Call &&call)
    {
        try {
            call();
        } catch (const std::exception &error) {
            std::fprintf(stderr, "fuzz_window: exception escaped: %s\n", error.what());
            fail("an exception left a handler", m_step, m_action);
        } catch (...) {
            fail("an exception left a handler", m_step, m_action);
        }
    }

    static QString text(Bytes &in)
    {
        const QString typed = decodeText(in);
        if (tracing)
            std::fprintf(stderr, "  text \"%s\"\n", typed.toUtf8().constData());
        return typed;
    }

    static QString valueText(Bytes &in)
    {
        const QString value = QString::number(in.word());
        if (tracing)
            std::fprintf(stderr, "  value %s\n", value.toUtf8().constData());
        return value;
    }

    static QString decodeText(Bytes &in)
    {
        const int kind = in.byte();
        if (kind < 128) {
            QString typed;
            for (int i = 0; i < kind % 8; ++i)
                typed.append(QLatin1Char(alphabet[in.byte() % alphabet.size()]));
            return typed;
        }
        if (kind < 192)
            return QString::fromUtf8(
                cannedTexts[static_cast<std::size_t>(kind - 128) % cannedTexts.size()]);
        return QString::number(in.word());
    }

    void perform(Action action, Bytes &in)
    {
        switch (action) {
        case TypeBound:
            m_bound->setEditText(text(in));
            break;
        case TypeNumber:
            m_number->setText(text(in));
            break;
        case ClickGo:
            run([&] { m_window.cmdGo_Click(); });
            break;
        case ClickAdd:
            clickAdd();
            break;
        case ClickReset:
            run([&] { m_window.cmdReset_Click(); });
            expectEmptied();
            break;
        case ToggleSkipDoubles:
            run([&] { m_skip->setChecked(!m_skip->isChecked()); });
            break;
        case MenuRandom:
            menuRandom();
            break;
        case MenuReset:
            run([&] { m_window.mnuReset_Click(); });
            expectEmptied();
            break;
        case MenuDoubles:
            run([&] { m_window.mnuDoppelt_Click(); });
            break;
        case MenuListCopy:
            menuListCopy();
            break;
        case MenuAbout:
            run([&] { m_window.mnuAbout_Click(); });
            break;
        case ContextMenuWindow:
        case ContextMenuNumber: {
            m_platform.menuChoices.enqueue(
                QString::fromLatin1(menuItems[in.byte() % menuItems.size()]));
            if (action == ContextMenuWindow)
                run([&] { m_window.Form_MouseDown(2, 0, 10.0F, 10.0F); });
            else
                run([&] { m_window.txtBis_MouseDown(2, 0, 3.0F, 3.0F); });
            break;
        }
        case OtherPress: {
            const int how = in.byte();
            const auto button = static_cast<qint16>((how & 1) != 0 ? 1 : 4);
            const auto shift = static_cast<qint16>((how >> 2) & 7);
            if ((how & 2) != 0)
                run([&] { m_window.Form_MouseDown(button, shift, 0.0F, 0.0F); });
            else
                run([&] { m_window.txtBis_MouseDown(button, shift, 0.0F, 0.0F); });
            break;
        }
        case AnswerYes:
            m_platform.answers.enqueue(Platform::Answer::Yes);
            break;
        case AnswerNo:
            m_platform.answers.enqueue(Platform::Answer::No);
            break;
        case AnswerOk:
            m_platform.answers.enqueue(Platform::Answer::Ok);
            break;
        case QueueRandom:
            m_platform.randomValues.enqueue(randomValue(in));
            break;
        case Tick1IfActive:
            if (m_timer1->isActive())
                run([&] { m_window.Timer1_Timer(); });
            break;
        case Tick1:
            run([&] { m_window.Timer1_Timer(); });
            break;
        case Tick2IfActive:
            if (m_timer2->isActive())
                tick2();
            break;
        case Tick2:
            tick2();
            break;
        case FinishAnimation:
            finishAnimation();
            break;
        case ToggleClipboard:
            m_platform.clipboardWorks = !m_platform.clipboardWorks;
            break;
        case DrawOnce:
            run([&] { m_window.cmdGo_Click(); });
            finishAnimation();
            break;
        case TypeBoundValue:
            m_bound->setEditText(valueText(in));
            break;
        case DrawAllNow:
            menuRandom();
            checkInvariants();
            if (m_timer2->isActive())
                tick2();
            break;
        case AddValue:
            m_number->setText(valueText(in));
            clickAdd();
            break;
        case RealPress:
            realPress(in.byte());
            break;
        case TicksWhileOpen: {
            const int ticks = in.byte() % 16;
            m_platform.whileOpen = [this, ticks] { ticksWhileOpen(ticks); };
            break;
        }
        case ActionCount:
            break;
        }
    }

    // A press as the toolkit delivers it: through the window's own event
    // handling and the number field's event filter. Bits 0-1: target (window,
    // number field, list, check box), bits 2-3: button (left, right, middle,
    // back), bits 4-6: Shift, Ctrl, Alt.
    void realPress(int how)
    {
        const std::array<QWidget *, 4> targets { &m_window, m_number, m_list, m_skip };
        const std::array<Qt::MouseButton, 4> buttons { Qt::LeftButton, Qt::RightButton,
            Qt::MiddleButton, Qt::BackButton };
        QWidget *target = targets.at(static_cast<std::size_t>(how & 3));
        const Qt::MouseButton button = buttons.at(static_cast<std::size_t>((how >> 2) & 3));
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, (how & 16) != 0);
        modifiers.setFlag(Qt::ControlModifier, (how & 32) != 0);
        modifiers.setFlag(Qt::AltModifier, (how & 64) != 0);
        const QPointF at(2, 2);
        QMouseEvent press(
            QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button, modifiers);
        run([&] { QCoreApplication::sendEvent(target, &press); });
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button,
            Qt::NoButton, modifiers);
        run([&] { QCoreApplication::sendEvent(target, &release); });
    }

    // The timers keep firing in a box's or menu's own event loop; the window
    // must hold those ticks until the handler that opened it has ended.
    void ticksWhileOpen(int ticks)
    {
        const QString before = tickState();
        for (int tick = 0; tick < ticks; ++tick) {
            if (m_timer1->isActive())
                run([&] { m_window.Timer1_Timer(); });
            if (m_timer2->isActive())
                run([&] { m_window.Timer2_Timer(); });
        }
        if (tickState() != before)
            fail("a tick ran while a box or the menu was open", m_step, m_action);
    }

    // What a tick may change.
    [[nodiscard]] QString tickState() const
    {
        return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
            .arg(m_list->count())
            .arg(m_window.zahl())
            .arg(m_window.counter())
            .arg(m_window.rounds())
            .arg(int(m_timer1->isActive()))
            .arg(int(m_timer2->isActive()))
            .arg(m_caption->text());
    }

    static float randomValue(Bytes &in)
    {
        switch (in.byte() % 8) {
        case 0:
            return 0.0F;
        case 1:
            return 1.0F - std::ldexp(1.0F, -24);
        case 2:
            return 0.5F;
        case 3:
            return std::ldexp(1.0F, -24);
        default: {
            const std::uint32_t high = in.byte();
            const std::uint32_t mid = in.byte();
            const std::uint32_t low = in.byte();
            return std::ldexp(static_cast<float>((high << 16) | (mid << 8) | low), -24);
        }
        }
    }

    void finishAnimation()
    {
        for (int tick = 0; tick < 16 && m_timer1->isActive(); ++tick) {
            run([&] { m_window.Timer1_Timer(); });
            checkInvariants();
        }
    }

    // The "+" button appends the typed number's decimal text when it is a
    // 16-bit number not yet listed and the list has room; otherwise the list
    // stays as it was.
    void clickAdd()
    {
        const QStringList before = m_verified;
        const numbers::Converted<qint16> typed = numbers::tryToInt16(m_number->text());
        run([&] { m_window.cmdAdd_Click(); });
        checkInvariants();
        QStringList expected = before;
        if (typed.ok) {
            const QString item = QString::number(typed.value);
            if (!before.contains(item) && before.size() < listCapacity)
                expected.append(item);
        }
        if (m_verified != expected)
            fail("the + button changed the list wrongly", m_step, m_action);
    }

    void menuListCopy()
    {
        const QStringList before = m_verified;
        const int writes = m_platform.clipboardWrites;
        run([&] { m_window.mnuListCopy_Click(); });
        checkInvariants();
        if (m_verified != before)
            fail("copying the list changed it", m_step, m_action);
        if (!before.isEmpty() && m_platform.clipboardWorks && m_platform.clipboardWrites == writes)
            fail("a working clipboard did not get the list", m_step, m_action);
        if (!before.isEmpty() && m_platform.clipboardWrites > writes) {
            const QString expected = before.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
            if (m_platform.clipboard != expected)
                fail("the clipboard does not hold the list", m_step, m_action);
        }
    }

    void expectEmptied()
    {
        checkInvariants();
        if (!m_verified.isEmpty() || !m_number->text().isEmpty())
            fail("reset left numbers behind", m_step, m_action);
    }

    // What the bound text allows: nothing, or a bound whose draws stay in
    // the 16-bit range.
    struct Bound
    {
        bool usable = false;
        int count = 0; // how many numbers a draw-all takes: the real bound rounded
        float real = 0;
        double extreme = 0;
    };

    [[nodiscard]] Bound bound() const
    {
        const QString text = m_bound->currentText();
        const numbers::Converted<qint16> whole = numbers::tryToInt16(text);
        const numbers::Converted<double> exact = numbers::tryToDouble(text);
        Bound result;
        if (!whole.ok || !exact.ok)
            return result;
        // The draw works with the exact value in single precision.
        result.real = static_cast<float>(exact.value);
        result.extreme = drawExtreme(result.real);
        result.usable = result.extreme >= -32768.0 && result.extreme <= 32767.0;
        // Draw-all counts with the bound as drawn from, the single-precision
        // value, not with the text's own whole number: "0,49999999999" is 0
        // as a whole number but 0.5 as a float, which takes 1 number.
        if (result.usable)
            result.count = static_cast<int>(std::round(static_cast<double>(result.real)));
        return result;
    }

    void menuRandom()
    {
        const QStringList before = m_verified;
        const bool usable = bound().usable;
        run([&] { m_window.mnuRandom_Click(); });
        checkInvariants();
        if (usable ? !m_verified.isEmpty() : m_verified != before)
            fail("draw-all did not start from an empty list, or threw away a list it refused",
                m_step, m_action);
    }

    // One tick of the draw-all timer must draw every missing number of the
    // bound's range once, or nothing when the list has no room for them.
    void tick2()
    {
        const Bound b = bound();
        if (b.usable && b.count > bigDrawAll) {
            if (m_bigDrawAlls >= bigDrawAllsPerInput)
                return;
            ++m_bigDrawAlls;
        }
        const QStringList before = m_verified;
        run([&] { m_window.Timer2_Timer(); });
        checkInvariants();
        if (m_timer2->isActive())
            fail("the draw-all timer runs on after its tick", m_step, m_action);

        if (m_verified.size() < before.size() || m_verified.mid(0, before.size()) != before)
            fail("draw-all changed numbers that were listed before", m_step, m_action);
        if (!b.usable) {
            if (m_verified.size() != before.size())
                fail("draw-all drew from an unusable bound", m_step, m_action);
            return;
        }

        QSet<qint16> listed;
        for (const QString &item : before)
            listed.insert(*listValue(item));
        const double low = std::min(1.0, b.extreme);
        const double high = std::max(1.0, b.extreme);
        QSet<qint16> added;
        for (qsizetype i = before.size(); i < m_verified.size(); ++i) {
            const qint16 value = *listValue(m_verified.at(i));
            if (value < low || value > high)
                fail("draw-all drew a number outside the bound's range", m_step, m_action);
            if (listed.contains(value) || added.contains(value))
                fail("draw-all drew a number twice", m_step, m_action);
            added.insert(value);
        }

        int missing = 0;
        for (int value = static_cast<int>(low); value <= static_cast<int>(high); ++value) {
            if (value >= 1 && !listed.contains(static_cast<qint16>(value)))
                ++missing;
        }
        const int wanted = std::max(0, std::min(b.count, missing));
        const bool room = before.size() + wanted <= listCapacity;
        if (added.size() != (room ? wanted : 0))
            fail("draw-all drew the wrong count of numbers", m_step, m_action);
    }

    // Checked after every action. Texts already seen valid are not parsed
    // again: validity depends on the text alone.
    void checkInvariants()
    {
        const int count = m_list->count();
        if (count > listCapacity)
            fail("the list holds more than 32767 numbers", m_step, m_action);
        if (m_verified.size() > count)
            m_verified.resize(count);
        for (int i = 0; i < count; ++i) {
            const QString item = m_list->item(i)->text();
            if (i < m_verified.size() && m_verified.at(i) == item)
                continue;
            if (!listValue(item))
                fail("a list item is not the decimal text of a 16-bit number", m_step, m_action);
            if (i < m_verified.size())
                m_verified[i] = item;
            else
                m_verified.append(item);
        }

        // The skip option, the report option and the menu mark move together.
        const qint16 skip = m_skip->isChecked() ? frmMain::True : frmMain::False;
        if (m_window.rndClear() != skip)
            fail("bolRndClear does not follow the check box", m_step, m_action);
        if (m_doubles->isEnabled() != m_skip->isChecked())
            fail("the report item is not enabled exactly while skipping", m_step, m_action);
        if (m_doubles->isChecked() != (m_window.msgDoubles() == frmMain::True))
            fail("the report item's mark does not show bolMsgDoubles", m_step, m_action);

        // A failure caught only by a handler's safety net means its own
        // checks missed a case.
        for (; m_boxesSeen < m_platform.boxes.size(); ++m_boxesSeen) {
            const ShownBox &box = m_platform.boxes.at(m_boxesSeen);
            if (box.title == QLatin1String("Fehler!")
                && (box.prompt.startsWith(QStringLiteral("Ein unerwarteter Fehler"))
                    || box.prompt.startsWith(QStringLiteral("Eine Zahl liegt außerhalb")))) {
                std::fprintf(
                    stderr, "fuzz_window: safety-net box: %s\n", box.prompt.toUtf8().constData());
                fail("a handler's safety net caught a failure", m_step, m_action);
            }
        }
    }

    FakePlatform &m_platform;
    frmMain &m_window;
    QListWidget *const m_list;
    QComboBox *const m_bound;
    QLineEdit *const m_number;
    QCheckBox *const m_skip;
    QTimer *const m_timer1;
    QTimer *const m_timer2;
    QAction *const m_doubles;
    QLabel *const m_caption;

    QStringList m_verified; // list texts known valid, in list order
    qsizetype m_boxesSeen = 0;
    int m_bigDrawAlls = 0;
    int m_step = 0;
    int m_action = -1;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One application for the whole run; Qt parses these, not libFuzzer's flags.
    static int argc = 1;
    static char name[] = "fuzz_window";
    static char *argv[] = { name, nullptr };
    static QApplication *application = new QApplication(argc, argv);
    Q_UNUSED(application)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        FakePlatform platform;
        frmMain window(platform);
        Driver driver(platform, window);
        Bytes in(data, size);
        driver.play(in);
    }
    // Deletions the window posted go now, not at the end of the run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
