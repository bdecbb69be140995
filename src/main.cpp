#include "platform/qt_platform.h"
#include "window/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolta"));
    // Lets Wayland sessions match the window with its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zolta.Zolta"));

    // The toolkit's own texts (the message boxes' buttons, what a screen
    // reader says of a control's actions) in German, whatever the system
    // language is: built in where the system keeps no Qt translations
    // (Windows), else Qt's own.
    QTranslator qtGerman;
    const QString catalogue = QStringLiteral("qtbase_de");
    if (!qtGerman.load(catalogue, QStringLiteral(":/translations"))
        && !qtGerman.load(catalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qWarning("Zolta: Qts deutsche Übersetzung qtbase_de.qm fehlt (Paket "
                 "qt6-translations-l10n).");
    QApplication::installTranslator(&qtGerman);

    QtPlatform platform;
    frmMain window(platform);

    // Centred on the screen.
    if (const QScreen *screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - window.rect().center());
    }
    window.show();
    return QApplication::exec();
}
