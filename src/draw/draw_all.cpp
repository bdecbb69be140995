// Draw-all: every number of 1..N once, in random order, one second after the
// command.

#include "window/main_window.h"

#include "draw/draw_formula.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "window/announcer.h"
#include "window/list_model.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <vector>

namespace {

// Marks for every 16-bit value: one lookup per draw instead of a walk
// through the list.
class ValueSet
{
public:
    [[nodiscard]] bool contains(qint16 value) const { return m_marks[index(value)]; }
    void insert(qint16 value) { m_marks[index(value)] = true; }

private:
    static std::size_t index(qint16 value) { return static_cast<std::size_t>(value + 32768); }
    std::vector<bool> m_marks = std::vector<bool>(65536, false);
};

} // namespace

void frmMain::mnuRandom_Click()
{
    guarded([&] {
        // Refused before the reset, so the list the user had is kept.
        if (!boundUsable())
            return;
        cmdReset_Click();
        StartDrawAll();
    });
}

void frmMain::StartDrawAll()
{
    if (poolExhausted()) {
        CheckAllDrawn();
        return;
    }

    // The waiting picture: the red lamp alone.
    Image0->hide();
    Image1[0]->hide();
    Image1[2]->hide();
    Image1[1]->show();
    enableTimer(Timer2);
}

void frmMain::Timer2_Timer()
{
    guarded([&] { DrawAll(); });
    // Whatever the draw did, the lamp rests and no second tick follows.
    showRestPicture();
    Timer2->stop();
}

void frmMain::DrawAll()
{
    // The bound may have been changed during the wait.
    if (!boundUsable())
        return;

    m_platform.randomize(intRandomize);
    const float n = numbers::toSingle(cboBis->currentText());
    const qint16 wanted = numbers::int16FromReal(static_cast<double>(n));

    // The numbers already listed. Normally none: the command emptied the list,
    // but a manual entry or the commit of a running draw may have put some
    // back during the wait. Only the numbers still missing are drawn, so the
    // loop always ends.
    ValueSet listed;
    for (int i = 0; i < lstDone->count(); ++i) {
        const numbers::Converted<qint16> item = numbers::tryToInt16(lstDone->item(i)->text());
        if (item.ok)
            listed.insert(item.value);
    }
    // Values a draw can give: 1 up to its extreme value.
    int reachableMissing = 0;
    const int highest = static_cast<int>(draw::extremeValue(n));
    for (int value = 1; value <= highest; ++value) {
        if (!listed.contains(static_cast<qint16>(value)))
            ++reachableMissing;
    }
    // A bound below 1 adds nothing.
    intCounter = static_cast<qint16>(qBound(0, static_cast<int>(wanted), reachableMissing));
    if (!listHasRoom(intCounter)) {
        intCounter = 0;
        return;
    }

    QStringList drawn;
    drawn.reserve(intCounter);
    while (intCounter != 0) {
        const float r = m_platform.nextRandom();
        intZahl = numbers::int16FromReal(draw::value(r, n));
        if (!listed.contains(intZahl)) {
            listed.insert(intZahl);
            drawn.append(numbers::decimalText(intZahl));
            intCounter = numbers::checkedAdd(intCounter, -1);
        }
    }
    if (drawn.isEmpty())
        return;

    // One batch for the list; the window shows only the end state anyway.
    lstDone->addItems(drawn);
    lblRndZahl->setText(QStringLiteral("Zahl = ") + drawn.constLast());
    txtBis->setText(drawn.constLast());
    announcer->announce(lblRndZahl->text());
    // The last lookup of a draw-all is always a miss.
    listbox::setListIndex(*lstDone, -1);
}
