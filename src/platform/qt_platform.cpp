#include "platform/qt_platform.h"

#include "version.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

QString QtPlatform::withLineBreaks(const QString &prompt)
{
    static const QRegularExpression loneCr(QStringLiteral("\r(?!\n)"));
    return QString(prompt).replace(loneCr, QStringLiteral("\n"));
}

Platform::Answer QtPlatform::messageBox(
    QWidget *parent, const QString &prompt, const QString &title, Icon icon, Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineBreaks(prompt));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }

    // German captions whatever the system locale is.
    if (buttons == Buttons::YesNo) {
        QPushButton *yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Answer::Ok;
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
    VersionInfo info;
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    info.baseName = executable.completeBaseName();
    info.major = static_cast<qint16>(version::major);
    info.minor = static_cast<qint16>(version::minor);
    info.revision = static_cast<qint16>(version::revision);
    info.copyright = QString::fromUtf8(version::copyright);
    return info;
}
