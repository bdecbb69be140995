// The About box.

#include "window/main_window.h"

void frmMain::mnuAbout_Click()
{
    guarded([&] {
        // Read afresh on every click.
        const VersionInfo info = m_platform.versionInfo();
        // One pass over all parts: a "%" in the name or the copyright stays as it is.
        const QString prompt
            = QStringLiteral("%1 %2.%3\rVersion %2.%3.%4\r%5")
                  .arg(info.baseName, QString::number(info.major), QString::number(info.minor),
                      QString::number(info.revision), info.copyright);
        messageBox(prompt, QStringLiteral("Zolta iacta est"), Platform::Icon::Information,
            Platform::Buttons::Ok);
    });
}
