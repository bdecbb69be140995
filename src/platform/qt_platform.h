#pragma once

#include "platform/platform.h"
#include "platform/random_source.h"

// The real platform: Qt's message box, menu and clipboard, the system clock,
// a generator seeded from the operating system, and the build's version.
class QtPlatform final : public Platform
{
public:
    Answer messageBox(QWidget *parent, const QString &prompt, const QString &title, Icon icon,
        Buttons buttons) override;
    void popupMenu(QMenu *menu, const std::optional<QPoint> &at) override;
    [[nodiscard]] bool setClipboardText(const QString &text) override;
    [[nodiscard]] QTime currentTime() override;
    void randomize(qint16 seed) override;
    [[nodiscard]] float nextRandom() override;
    [[nodiscard]] VersionInfo versionInfo() override;

    // A lone CR (not followed by LF) becomes a line break.
    [[nodiscard]] static QString withLineBreaks(const QString &prompt);

private:
    RandomSource m_random;
};
