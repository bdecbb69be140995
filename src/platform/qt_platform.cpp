#include "platform/qt_platform.h"

#include "version.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>

#include <array>
#include <cstddef>

#ifdef Q_OS_WIN
#include <QAccessible>
#include <qt_windows.h>
#endif

QString QtPlatform::withLineBreaks(const QString &prompt)
{
    static const QRegularExpression loneCr(QStringLiteral("\r(?!\n)"));
    return QString(prompt).replace(loneCr, QStringLiteral("\n"));
}

Platform::Answer QtPlatform::messageBox(
    QWidget *parent, const QString &prompt, const QString &title, Icon icon, Buttons buttons)
{
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineBreaks(prompt));
    // In the order of Platform::Icon.
    constexpr std::array<QMessageBox::Icon, 3> icons { QMessageBox::Information,
        QMessageBox::Question, QMessageBox::Critical };
    box.setIcon(icons.at(static_cast<std::size_t>(icon)));
#ifdef Q_OS_WIN
    // The icon's system sound, as Windows' own boxes make it. Qt 6.4 plays it
    // itself once a screen reader has asked for the window, but none for a
    // question (qwindowsuiaaccessibility.cpp, notifyAccessibilityUpdate).
    constexpr std::array<UINT, 3> sounds { MB_ICONASTERISK, MB_ICONQUESTION, MB_ICONHAND };
    if (!QAccessible::isActive() || icon == Icon::Question)
        MessageBeep(sounds.at(static_cast<std::size_t>(icon)));
#endif
    // Qt's standard buttons, captioned by its German translation. Escape and
    // the close button answer No where there is one (tst_startup:
    // shouldAnswerTheMessageBoxFromTheKeyboard).
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yesNo)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtPlatform::popupMenu(QMenu *menu, const std::optional<QPoint> &at)
{
    menu->exec(at.value_or(QCursor::pos()));
}

bool QtPlatform::setClipboardText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    // The toolkit reports no failure; reading back tells whether it took it.
    return clipboard->text(QClipboard::Clipboard) == text;
}

QTime QtPlatform::currentTime()
{
    return QTime::currentTime();
}

void QtPlatform::randomize(qint16 seed)
{
    m_random.randomize(seed);
}

float QtPlatform::nextRandom()
{
    return m_random.next();
}

VersionInfo QtPlatform::versionInfo()
{
    return { QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
        static_cast<qint16>(version::major), static_cast<qint16>(version::minor),
        static_cast<qint16>(version::revision), QString::fromUtf8(version::copyright) };
}
