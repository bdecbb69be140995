// Start-up: the start state of the controls and variables, and the seed.

#include "window/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

void frmMain::Form_Load()
{
    guarded([&] {
        // The bounds 1 to 256, added in one go.
        QStringList bounds;
        for (int bound = 1; bound <= 256; ++bound)
            bounds.append(QString::number(bound));
        cboBis->addItems(bounds);

        setWindowTitle(QStringLiteral("Zolta iacta est"));
        txtVon->setText(QStringLiteral("1"));
        txtVon->setEnabled(false);
        cboBis->setEditText(QStringLiteral("10"));
        lblRndZahl->setText(QStringLiteral("Wähle einen Bereich aus!"));
        Timer1->setInterval(250);
        Timer2->stop();
        Timer2->setInterval(1000);
        Timer1->stop();
        mnuCut->setEnabled(false);
        mnuCopy->setEnabled(false);
        mnuPaste->setEnabled(false);
        intCounter = 0;
        intRounds = 1;

        // All four lamps on one spot; at rest only the grey one shows.
        for (QLabel *lamp : { Image0, Image1[0], Image1[1], Image1[2] })
            lamp->move(twips(120), twips(960));
        showLamp(Image0);

        bolRndClear = False;
        bolMsgDoubles = True;
        InitSeed();
    });
}

void frmMain::InitSeed()
{
    // The digit sum of the clock's seconds: 0..14.
    const int seconds = m_platform.currentTime().second();
    intRandomize = static_cast<qint16>((seconds / 10) + (seconds % 10));
}
