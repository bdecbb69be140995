// The lamp animation of a single draw, the lamp pictures and the commit of a
// number.

#include "window/main_window.h"

#include "platform/numbers.h"
#include "window/announcer.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <cstddef>

void frmMain::Timer1_Timer()
{
    if (m_openBoxesAndMenus > 0)
        return;
    guarded([&] {
        const qint16 r = intRounds;
        // Ticks 4 and 8 start the yellow-red-green cycle again, so ticks 7 and
        // 11 (counter 3) leave the green lamp standing.
        if (r == 4 || r == 8)
            intCounter = 0;
        if (r == 12) {
            Timer1->stop();
            showLamp(Image0);
            intRounds = 1;
            intCounter = -1;
            if (bolRndClear == True)
                ShowUniqueNumber();
            else
                ShowNumber();
        } else {
            lblRndZahl->setText(QStringLiteral("Zahl= ") + QString::number(intRounds));
            if (intCounter >= 0 && intCounter <= 2)
                showLamp(Image1.at(static_cast<std::size_t>(intCounter)));
            else
                Image0->hide();
        }
        intCounter = numbers::checkedAdd(intCounter, 1);
        intRounds = numbers::checkedAdd(intRounds, 1);
    });
}

void frmMain::ShowNumber()
{
    publish({ QString::number(intZahl) });
}

void frmMain::ShowUniqueNumber()
{
    if (ItemExists(lstDone, QString::number(intZahl)) != True) {
        publish({ QString::number(intZahl) });
        return;
    }
    // Drawn anew at once, or after the question and a Yes; No leaves the draw
    // without a number.
    if (bolMsgDoubles != True
        || messageBox(QStringLiteral("Zahl bereits vorhanden, neu ermitteln?"),
               QStringLiteral("Weiter..."), Platform::Icon::Question, Platform::Buttons::YesNo)
            == Platform::Answer::Yes)
        cmdGo_Click();
}

void frmMain::publish(const QStringList &numbers)
{
    if (!listHasRoom(static_cast<int>(numbers.size())))
        return;
    lstDone->addItems(numbers);
    lblRndZahl->setText(QStringLiteral("Zahl = ") + numbers.constLast());
    txtBis->setText(numbers.constLast());
    announcer->announce(lblRndZahl->text());
}

void frmMain::showLamp(QLabel *lamp)
{
    for (QLabel *each : { Image1[0], Image1[1], Image1[2], Image0 })
        each->setVisible(each == lamp);
}
