#include "window/pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace pictures {

namespace {

// PNG is built into Qt. Left to guess the format, the reader would first load
// every image plug-in (GIF, ICO, JPEG, and SVG with all of Qt SVG): 0.4 MB
// more at start-up for nothing.
QPixmap png(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QIcon load(const QString &name)
{
    QIcon icon;
    // At 100 % on every screen the PNGs are all that is ever shown, and Qt SVG
    // stays unloaded. Elsewhere the SVG source is drawn at the size needed;
    // where Qt has no SVG engine (Windows), the program carries the pictures
    // drawn at the sizes of the common scales instead, and the icon takes the
    // nearest one.
    if (!qFuzzyCompare(qGuiApp->devicePixelRatio(), 1.0)) {
        const QString source = QStringLiteral(":/assets/src/%1.svg").arg(name);
        if (QFile::exists(source))
            icon.addFile(source);
        const QDir sizes(QStringLiteral(":/assets/sizes/%1").arg(name));
        for (const QString &file : sizes.entryList(QDir::Files))
            icon.addPixmap(png(sizes.filePath(file)));
    }
    // The SVG engine keeps one image beside the source and shows it at exactly
    // its size; the 32-pixel one, added last, is the one the window uses.
    for (const QString &path : { QStringLiteral(":/assets/%1_16.png").arg(name),
             QStringLiteral(":/assets/%1.png").arg(name) }) {
        if (QFile::exists(path))
            icon.addPixmap(png(path));
    }
    return icon;
}

} // namespace pictures
