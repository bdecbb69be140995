// Copying the result list to the clipboard.

#include "window/main_window.h"

#include "platform/numbers.h"
#include "platform/platform.h"

#include <QListWidget>

void frmMain::mnuListCopy_Click()
{
    guarded([&] { CopyListToClipboard(); });
}

void frmMain::CopyListToClipboard()
{
    const int count = lstDone->count();
    QString text;
    text.reserve(static_cast<qsizetype>(count) * 8);
    for (int i = 0; i < count; ++i) {
        // Every line ends in CR LF, the last one too.
        text += numbers::decimalText(numbers::toInt16(lstDone->item(i)->text()));
        text += QLatin1String("\r\n");
    }

    if (count > 0) {
        // An empty list leaves the clipboard as it was.
        if (!m_platform.setClipboardText(text)) {
            m_platform.messageBox(this,
                QStringLiteral("Die Liste konnte nicht in die Zwischenablage kopiert werden!"),
                QStringLiteral("Kopieren"), Platform::Icon::Critical, Platform::Buttons::Ok);
            return;
        }
    }

    const QString prompt = count == 1
        ? QStringLiteral("Es wurde 1 Zeile in die Zwischenablage kopiert!")
        : QStringLiteral("Es wurden ") + QString::number(count)
            + QStringLiteral(" Zeilen in die Zwischenablage kopiert!");
    m_platform.messageBox(this, prompt, QStringLiteral("Kopieren"), Platform::Icon::Information,
        Platform::Buttons::Ok);
}
