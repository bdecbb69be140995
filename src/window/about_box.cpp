// The About box.

#include "window/main_window.h"

#include "platform/platform.h"

void frmMain::mnuAbout_Click()
{
    guarded([&] {
        // Read afresh on every click, in the order the text is built.
        const VersionInfo info = m_platform.versionInfo();
        const QString prompt = info.baseName + QLatin1Char(' ') + QString::number(info.major)
            + QLatin1Char('.') + QString::number(info.minor) + QLatin1Char('\r')
            + QStringLiteral("Version ") + QString::number(info.major) + QLatin1Char('.')
            + QString::number(info.minor) + QLatin1Char('.') + QString::number(info.revision)
            + QLatin1Char('\r') + info.copyright;
        m_platform.messageBox(this, prompt, QStringLiteral("Zolta iacta est"),
            Platform::Icon::Information, Platform::Buttons::Ok);
    });
}
