// The two duplicate options: skip duplicates (check box) and report them
// (menu toggle).

#include "window/main_window.h"

#include "platform/platform.h"

#include <QAction>
#include <QCheckBox>

void frmMain::chkRndClear_Click()
{
    guarded([&] {
        if (chkRndClear->isChecked()) {
            bolRndClear = True;
            mnuDoppelt->setEnabled(true);
            const Platform::Answer answer = m_platform.messageBox(this,
                QStringLiteral("Möchten Sie, dass doppelt ermittelte Zahlen gemeldet werden?"),
                QStringLiteral("Doppelte Zahlen überspringen"), Platform::Icon::Question,
                Platform::Buttons::YesNo);
            if (answer == Platform::Answer::Yes) {
                bolMsgDoubles = True;
                mnuDoppelt->setChecked(true);
            } else if (answer == Platform::Answer::No) {
                bolMsgDoubles = False;
                mnuDoppelt->setChecked(false);
            }
        } else {
            bolRndClear = False;
            mnuDoppelt->setEnabled(false);
        }
    });
}

void frmMain::mnuDoppelt_Click()
{
    guarded([&] {
        // Decided by the check mark, not by the variable.
        if (!mnuDoppelt->isChecked()) {
            bolMsgDoubles = True;
            mnuDoppelt->setChecked(true);
        } else {
            bolMsgDoubles = False;
            mnuDoppelt->setChecked(false);
        }
    });
}
