#include "window/pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <utility>

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

// The size an engine is asked for, in the scale's units: before Qt 6.8,
// QIcon::pixmap asks in pixels (tst_pictures_2x fails on either Qt with the
// other's size).
QSize inUnits(const QSize &size, qreal scale)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    return size / scale;
#else
    Q_UNUSED(scale);
    return size;
#endif
}

// The drawn images while every screen shows 100 %; at any other scale the
// sources too, read at the first request there: Qt SVG stays unloaded at
// 100 %, and a window moved to a scaled screen later is still sharp.
class Picture final : public QIconEngine
{
public:
    explicit Picture(QString name)
        : m_name(std::move(name))
    {
        for (const QString &path : { QStringLiteral(":/assets/%1_16.png").arg(m_name),
                 QStringLiteral(":/assets/%1.png").arg(m_name) }) {
            if (QFile::exists(path))
                m_drawn.addPixmap(png(path));
        }
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        at(painter->device()->devicePixelRatio())
            .paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return at(scale).pixmap(inUnits(size, scale), scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return at(1.0).availableSizes(mode, state);
    }
    [[nodiscard]] QIconEngine *clone() const override { return new Picture(*this); }

private:
    const QIcon &at(qreal scale)
    {
        if (qFuzzyCompare(scale, 1.0) && qFuzzyCompare(qGuiApp->devicePixelRatio(), 1.0))
            return m_drawn;
        if (m_scaled.isNull()) {
            // Where Qt has no SVG engine (Windows), the images drawn at the
            // sizes of the common scales, of which the icon takes the nearest.
            const QString source = QStringLiteral(":/assets/src/%1.svg").arg(m_name);
            if (QFile::exists(source))
                m_scaled.addFile(source);
            const QDir sizes(QStringLiteral(":/assets/sizes/%1").arg(m_name));
            for (const QString &file : sizes.entryList(QDir::Files))
                m_scaled.addPixmap(png(sizes.filePath(file)));
            // The SVG engine keeps one image beside the source and shows it
            // at exactly its size (QSvgIconEngine::pixmap); the 32-pixel one,
            // added last, is the one the window uses.
            for (const QSize &size : m_drawn.availableSizes())
                m_scaled.addPixmap(m_drawn.pixmap(size, 1.0));
        }
        return m_scaled;
    }

    QString m_name;
    QIcon m_drawn;
    QIcon m_scaled;
};

} // namespace

QIcon load(const QString &name)
{
    return QIcon(new Picture(name));
}

} // namespace pictures
