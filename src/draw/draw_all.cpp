// Draw-all: every number of 1..N once, in random order, one second after the
// command; for a fractional N, as many as N rounded, of those a draw can give.

#include "window/main_window.h"

#include "draw/draw_formula.h"
#include "draw/pool.h"
#include "platform/numbers.h"
#include "results/result_list.h"

#include <QListWidget>
#include <QTimer>

#include <bitset>
#include <cstddef>

void frmMain::mnuRandom_Click()
{
    guarded([&] {
        // Refused before the reset, so the list the user had is kept.
        const std::optional<float> bound = drawBound();
        if (!bound)
            return;
        cmdReset_Click();
        StartDrawAll(*bound);
    });
}

void frmMain::StartDrawAll(float bound)
{
    if (poolExhausted(bound)) {
        CheckAllDrawn(bound);
        return;
    }

    // The waiting picture: the red lamp alone.
    showLamp(Image1[1]);
    enableTimer(Timer2);
}

void frmMain::Timer2_Timer()
{
    if (m_openBoxesAndMenus > 0)
        return;
    guarded([&] { DrawAll(); });
    // Whatever the draw did, the lamp rests and no second tick follows.
    showLamp(Image0);
    Timer2->stop();
}

void frmMain::DrawAll()
{
    // The bound may have been changed during the wait.
    const std::optional<float> bound = drawBound();
    if (!bound)
        return;
    const float n = *bound;

    m_platform.randomize(intRandomize);
    const qint16 wanted = numbers::int16FromReal(static_cast<double>(n));

    // Normally every number of 1..N: the command emptied the list, but a
    // manual entry or the commit of a running draw may have put some back
    // during the wait. Only the numbers still missing are drawn, so the loop
    // always ends. One lookup per draw instead of a walk through the list.
    std::bitset<32768> open = draw::missingNumbers(listbox::texts(*lstDone), n);
    // As many numbers as the bound rounded, at most those missing: a bound
    // below 0,5 adds nothing, one from 0,5 up to 1 adds the 1.
    intCounter
        = static_cast<qint16>(qBound(0, static_cast<int>(wanted), static_cast<int>(open.count())));
    if (!listHasRoom(intCounter)) {
        intCounter = 0;
        return;
    }

    QStringList drawn;
    drawn.reserve(intCounter);
    while (intCounter != 0) {
        const float r = m_platform.nextRandom();
        intZahl = numbers::int16FromReal(draw::value(r, n));
        const auto index = static_cast<std::size_t>(intZahl);
        if (intZahl > 0 && open[index]) {
            open[index] = false;
            drawn.append(QString::number(intZahl));
            intCounter = numbers::checkedAdd(intCounter, -1);
        }
    }
    if (drawn.isEmpty())
        return;

    // One batch for the list; the window shows only the end state anyway.
    publish(drawn);
    // No item stays selected, as after a skipping draw of a new number.
    lstDone->setCurrentRow(-1, QItemSelectionModel::Clear);
}
