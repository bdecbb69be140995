// A single draw: the exhaustion test and the number itself. The lamp
// animation that publishes it lives in animation.cpp.

#include "window/main_window.h"

#include "draw/draw_formula.h"
#include "platform/numbers.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

bool frmMain::boundUsable()
{
    // Every draw from a bound in this range stays within 16 bits.
    const numbers::Converted<double> bound = numbers::tryToDouble(cboBis->currentText());
    const bool usable = bound.ok && bound.value >= -32768.0 && bound.value <= 32767.0;
    if (!usable) {
        m_platform.messageBox(this,
            QStringLiteral("Die Obergrenze muss eine Zahl von -32768 bis 32767 sein!"),
            QStringLiteral("Fehler!"), Platform::Icon::Critical, Platform::Buttons::Ok);
    }
    return usable;
}

bool frmMain::poolExhausted()
{
    // Both halves are always evaluated: the bound is converted even while
    // skipping is off.
    const QString bound = cboBis->currentText();
    const bool ticked = chkRndClear->isChecked();
    const int listCount = lstDone->count();
    const bool boundReached = numbers::toDouble(bound) <= listCount;
    return ticked && boundReached;
}

void frmMain::cmdGo_Click()
{
    guarded([&] {
        if (!boundUsable())
            return;

        if (poolExhausted()) {
            CheckAllDrawn();
            return;
        }
        // A full list is refused now, not after the whole animation.
        if (!listHasRoom(1))
            return;

        m_platform.randomize(intRandomize);
        const float n = numbers::toSingle(cboBis->currentText());
        const float r = m_platform.nextRandom();
        intZahl = numbers::int16FromReal(draw::value(r, n));
        enableTimer(Timer1);
    });
}

void frmMain::CheckAllDrawn()
{
    if (bolRndClear == False)
        return;
    const auto count = static_cast<qint16>(lstDone->count());
    const qint16 n = numbers::toInt16(cboBis->currentText());
    const QString message = n == 1 ? QStringLiteral("Es wurde bereits eine Zahl ermittelt!")
                                   : QStringLiteral("Es wurden bereits ") + numbers::decimalText(n)
            + QStringLiteral(" Zahlen ermittelt!");
    if (count >= n) {
        m_platform.messageBox(this, message, QStringLiteral("Zolta iacta est"),
            Platform::Icon::Information, Platform::Buttons::Ok);
    }
    Timer1->stop();
}
