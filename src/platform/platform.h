#pragma once

// Everything the window's logic needs from the outside world. The program
// uses QtPlatform; the tests hand in a fake that scripts the answers.

#include <QPoint>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <optional>

class QMenu;
class QWidget;

struct VersionInfo
{
    QString baseName; // file name of the running executable, no folder or extension
    qint16 major = 0;
    qint16 minor = 0;
    qint16 revision = 0;
    QString copyright;
};

class Platform
{
public:
    enum class Icon { Information, Question, Critical };
    enum class Buttons { Ok, YesNo }; // Yes is the default of Yes/No
    enum class Answer { Ok, Yes, No };

    virtual ~Platform() = default;

    // Modal message box; returns the button pressed. A lone CR in the prompt
    // starts a new line.
    virtual Answer messageBox(
        QWidget *parent, const QString &prompt, const QString &title, Icon icon, Buttons buttons)
        = 0;

    // Shows the menu at `at` (global coordinates), or at the mouse pointer
    // when none is given, and returns when it has closed; the chosen item's
    // handler has run by then.
    virtual void popupMenu(QMenu *menu, const std::optional<QPoint> &at) = 0;

    // Replaces what the clipboard holds by plain text; false when the
    // clipboard does not take it.
    [[nodiscard]] virtual bool setClipboardText(const QString &text) = 0;

    // Current local time of day.
    [[nodiscard]] virtual QTime currentTime() = 0;

    virtual void randomize(qint16 seed) = 0;
    // Next value r, 0 <= r < 1, single precision.
    [[nodiscard]] virtual float nextRandom() = 0;

    [[nodiscard]] virtual VersionInfo versionInfo() = 0;

protected:
    Platform() = default;
    Platform(const Platform &) = default;
    Platform &operator=(const Platform &) = default;
};
