// A single draw: the exhaustion test and the number itself. The lamp
// animation that publishes it lives in animation.cpp.

#include "window/main_window.h"

#include "draw/draw_formula.h"
#include "draw/pool.h"
#include "platform/numbers.h"
#include "results/result_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

std::optional<float> frmMain::drawBound()
{
    // Every draw from a bound in this range stays within 16 bits. The range
    // is checked on the exact value, so that a text just outside it is
    // refused rather than rounded into it; the draw itself works in single
    // precision.
    const numbers::Converted<double> bound = numbers::tryToDouble(cboBis->currentText());
    if (bound.ok && bound.value >= -32768.0 && bound.value <= 32767.0)
        return static_cast<float>(bound.value);
    messageBox(QStringLiteral("Die Obergrenze muss eine Zahl von -32768 bis 32767 sein!"),
        QStringLiteral("Fehler!"), Platform::Icon::Critical, Platform::Buttons::Ok);
    return std::nullopt;
}

bool frmMain::poolExhausted(float bound)
{
    // Counting the items is not enough: hand-typed numbers outside 1..N and
    // duplicates drawn while skipping was off fill the list too.
    return chkRndClear->isChecked() && draw::missingNumbers(listbox::texts(*lstDone), bound).none();
}

void frmMain::cmdGo_Click()
{
    guarded([&] {
        const std::optional<float> bound = drawBound();
        if (!bound)
            return;

        if (poolExhausted(*bound)) {
            CheckAllDrawn(*bound);
            return;
        }
        // A full list is refused now, not after the whole animation.
        if (!listHasRoom(1))
            return;

        m_platform.randomize(intRandomize);
        const float r = m_platform.nextRandom();
        intZahl = numbers::int16FromReal(draw::value(r, *bound));
        enableTimer(Timer1);
    });
}

void frmMain::CheckAllDrawn(float bound)
{
    const qint16 n = numbers::int16FromReal(bound);
    const QString message = n == 1
        ? QStringLiteral("Es wurde bereits eine Zahl ermittelt!")
        : QStringLiteral("Es wurden bereits %1 Zahlen ermittelt!").arg(n);
    messageBox(message, QStringLiteral("Zolta iacta est"), Platform::Icon::Information,
        Platform::Buttons::Ok);
    Timer1->stop();
}

void frmMain::enableTimer(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}
