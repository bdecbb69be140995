#include "fake_platform.h"

#include <QAction>
#include <QMenu>

#include <stdexcept>

namespace {

void recordMenu(const QMenu *menu, const QString &prefix, QList<ShownMenuItem> &items)
{
    for (QAction *action : menu->actions()) {
        const QString path = prefix.isEmpty() ? action->text() : prefix + " > " + action->text();
        items.append({ path, action->isEnabled(), action->isChecked(), action->isSeparator() });
        if (action->menu() != nullptr)
            recordMenu(action->menu(), path, items);
    }
}

QAction *findChoice(const QMenu *menu, const QString &name)
{
    for (QAction *action : menu->actions()) {
        if (action->objectName() == name)
            return action;
        if (action->menu() != nullptr) {
            if (QAction *inner = findChoice(action->menu(), name))
                return inner;
        }
    }
    return nullptr;
}

} // namespace

FakePlatform::FakePlatform()
    : m_fallback(12345)
{ }

Platform::Answer FakePlatform::messageBox(
    QWidget *, const QString &prompt, const QString &title, Icon icon, Buttons buttons)
{
    boxes.append({ prompt, title, icon, buttons });
    runWhileOpen();
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

void FakePlatform::popupMenu(QMenu *menu, const std::optional<QPoint> &at)
{
    ++popups;
    lastMenuAt = at;
    lastMenu.clear();
    recordMenu(menu, QString(), lastMenu);
    runWhileOpen();
    if (menuChoices.isEmpty())
        return;
    const QString choice = menuChoices.dequeue();
    QAction *action = findChoice(menu, choice);
    // A person can only choose what is enabled, visible and not a line or a submenu.
    if (action != nullptr && action->isEnabled() && action->isVisible() && !action->isSeparator()
        && action->menu() == nullptr)
        action->trigger();
}

void FakePlatform::runWhileOpen()
{
    if (!whileOpen || m_runningWhileOpen)
        return;
    m_runningWhileOpen = true;
    whileOpen();
    m_runningWhileOpen = false;
}

bool FakePlatform::setClipboardText(const QString &text)
{
    if (!clipboardWorks)
        return false;
    clipboard = text;
    ++clipboardWrites;
    return true;
}

void FakePlatform::randomize(qint16 seed)
{
    seeds.append(seed);
}

float FakePlatform::nextRandom()
{
    if (failingRandomValues > 0) {
        --failingRandomValues;
        throw std::runtime_error("random generator failed");
    }
    if (!randomValues.isEmpty())
        return randomValues.dequeue();
    return m_fallback.next();
}
