// Copying the result list to the clipboard.

#include "window/main_window.h"

#include "results/result_list.h"

#include <QStringList>

void frmMain::mnuListCopy_Click()
{
    guarded([&] { CopyListToClipboard(); });
}

void frmMain::CopyListToClipboard()
{
    const QStringList lines = listbox::texts(*lstDone);
    // Every line ends in CR LF, the last one too. An empty list leaves the
    // clipboard as it was.
    if (!lines.isEmpty()
        && !m_platform.setClipboardText(
            lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n"))) {
        messageBox(QStringLiteral("Die Liste konnte nicht in die Zwischenablage kopiert werden!"),
            QStringLiteral("Kopieren"), Platform::Icon::Critical, Platform::Buttons::Ok);
        return;
    }

    const QString prompt = lines.size() == 1
        ? QStringLiteral("Es wurde 1 Zeile in die Zwischenablage kopiert!")
        : QStringLiteral("Es wurden %1 Zeilen in die Zwischenablage kopiert!").arg(lines.size());
    messageBox(
        prompt, QStringLiteral("Kopieren"), Platform::Icon::Information, Platform::Buttons::Ok);
}
