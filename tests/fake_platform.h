#pragma once

// A scripted platform for the tests: message-box answers come from a queue
// and every box is recorded; the clock is fixed; random values come from a
// queue (then from a fixed-seed generator, so nothing can loop for ever);
// the clipboard is a string; a popup menu records what it showed and can
// choose an item. While a box or menu is open, whileOpen may play what a real
// one's event loop would deliver meanwhile, such as timer ticks.

#include "platform/platform.h"
#include "platform/random_source.h"
#include "version.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

struct ShownBox
{
    QString prompt;
    QString title;
    Platform::Icon icon;
    Platform::Buttons buttons;
};

struct ShownMenuItem
{
    QString path; // captions from the root, joined by " > "
    bool enabled;
    bool checked;
    bool separator;
};

class FakePlatform final : public Platform
{
public:
    FakePlatform();

    Answer messageBox(QWidget *parent, const QString &prompt, const QString &title, Icon icon,
        Buttons buttons) override;
    void popupMenu(QMenu *menu, const std::optional<QPoint> &at) override;
    [[nodiscard]] bool setClipboardText(const QString &text) override;
    [[nodiscard]] QTime currentTime() override { return time; }
    void randomize(qint16 seed) override;
    [[nodiscard]] float nextRandom() override;
    [[nodiscard]] VersionInfo versionInfo() override { return version; }

    // Scripts.
    QQueue<Answer> answers; // default when empty: Yes for Yes/No, Ok otherwise
    QQueue<float> randomValues; // then a fixed-seed generator
    QQueue<QString> menuChoices; // objectName of the item to choose, "" for none
    QTime time = QTime(12, 0, 0);
    VersionInfo version { QStringLiteral("Zolta"), static_cast<qint16>(version::major),
        static_cast<qint16>(version::minor), static_cast<qint16>(version::revision),
        QStringLiteral("Copyright test") };
    bool clipboardWorks = true;
    int failingRandomValues = 0; // this many next values fail before any is given
    // Runs once a box or menu has opened, before it answers; not again for
    // one opened meanwhile.
    std::function<void()> whileOpen;

    // Records.
    QList<ShownBox> boxes;
    QList<qint16> seeds;
    int popups = 0;
    QList<ShownMenuItem> lastMenu;
    std::optional<QPoint> lastMenuAt; // none: at the mouse pointer
    QString clipboard = QStringLiteral("(vorher)");
    int clipboardWrites = 0;

private:
    void runWhileOpen();

    RandomSource m_fallback;
    bool m_runningWhileOpen = false;
};
