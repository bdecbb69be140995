// The two duplicate options: skip duplicates (check box) and report them
// (menu toggle).

#include "window/main_window.h"

#include <QAction>
#include <QCheckBox>

void frmMain::chkRndClear_Click()
{
    guarded([&] {
        const bool skip = chkRndClear->isChecked();
        bolRndClear = skip ? True : False;
        mnuDoppelt->setEnabled(skip);
        if (!skip)
            return;
        const Platform::Answer answer = messageBox(
            QStringLiteral("Möchten Sie, dass doppelt ermittelte Zahlen gemeldet werden?"),
            QStringLiteral("Doppelte Zahlen überspringen"), Platform::Icon::Question,
            Platform::Buttons::YesNo);
        // Any other answer leaves the option as it was.
        if (answer == Platform::Answer::Yes || answer == Platform::Answer::No) {
            const bool report = answer == Platform::Answer::Yes;
            bolMsgDoubles = report ? True : False;
            mnuDoppelt->setChecked(report);
        }
    });
}

void frmMain::mnuDoppelt_Click()
{
    guarded([&] {
        // Decided by the check mark, not by the variable.
        const bool report = !mnuDoppelt->isChecked();
        bolMsgDoubles = report ? True : False;
        mnuDoppelt->setChecked(report);
    });
}
