// The lamp animation of a single draw and the commit of its number.

#include "window/main_window.h"

#include "platform/numbers.h"
#include "window/announcer.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

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
            showRestPicture();
            intRounds = 1;
            intCounter = -1;
            if (bolRndClear == True)
                ShowUniqueNumber();
            else
                ShowNumber();
        } else {
            Image0->hide();
            lblRndZahl->setText(QStringLiteral("Zahl= ") + QString::number(intRounds));
        }

        // Read anew: a commit may have started another draw meanwhile.
        if (intCounter >= 0 && intCounter <= 2) {
            for (int frame = 0; frame < 3; ++frame)
                Image1[frame]->setVisible(frame == intCounter);
        }
        intCounter = numbers::checkedAdd(intCounter, 1);
        intRounds = numbers::checkedAdd(intRounds, 1);
    });
}

void frmMain::ShowNumber()
{
    publish(intZahl);
}

void frmMain::ShowUniqueNumber()
{
    if (ItemExists(lstDone, QString::number(intZahl)) != True) {
        publish(intZahl);
        return;
    }
    if (bolMsgDoubles == True) {
        const Platform::Answer answer
            = messageBox(QStringLiteral("Zahl bereits vorhanden, neu ermitteln?"),
                QStringLiteral("Weiter..."), Platform::Icon::Question, Platform::Buttons::YesNo);
        // Yes draws anew; No leaves the draw without a number.
        if (answer == Platform::Answer::Yes)
            cmdGo_Click();
    } else {
        cmdGo_Click();
    }
}

void frmMain::publish(qint16 number)
{
    if (!listHasRoom(1))
        return;
    const QString text = QString::number(number);
    lblRndZahl->setText(QStringLiteral("Zahl = ") + text);
    lstDone->addItem(text);
    txtBis->setText(text);
    announcer->announce(lblRndZahl->text());
}
