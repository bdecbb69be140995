// Reset: the list and the number field emptied, the prompt shown again.

#include "window/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

void frmMain::cmdReset_Click()
{
    guarded([&] {
        lstDone->clear();
        txtBis->setText(QString());
        lblRndZahl->setText(QStringLiteral("Wähle einen Bereich aus!"));
    });
}

void frmMain::mnuReset_Click()
{
    cmdReset_Click();
}
