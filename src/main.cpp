#include "platform/qt_platform.h"
#include "window/main_window.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolta"));
    // Lets Wayland sessions match the window with its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zolta.Zolta"));

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
