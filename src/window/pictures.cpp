#include "window/pictures.h"

#include <QByteArray>
#include <QFile>
#include <QPixmap>
#include <QString>

#include <cstdint>

namespace pictures {

namespace {

std::uint32_t read16(const QByteArray &data, qsizetype at)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData()) + at;
    return static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t read32(const QByteArray &data, qsizetype at)
{
    return read16(data, at) | (read16(data, at + 2) << 16);
}

struct Entry
{
    int width = 0;
    int height = 0;
    qsizetype offset = 0;
    qsizetype length = 0;
};

QList<Entry> entries(const QByteArray &data)
{
    QList<Entry> found;
    // ICONDIR: reserved 0, type 1 (icon), count.
    if (data.size() < 6 || read16(data, 0) != 0 || read16(data, 2) != 1)
        return found;
    const int count = static_cast<int>(read16(data, 4));
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * qsizetype(i);
        if (at + 16 > data.size())
            return {};
        Entry entry;
        entry.width = static_cast<unsigned char>(data.at(at)) == 0
            ? 256
            : static_cast<unsigned char>(data.at(at));
        entry.height = static_cast<unsigned char>(data.at(at + 1)) == 0
            ? 256
            : static_cast<unsigned char>(data.at(at + 1));
        entry.length = static_cast<qsizetype>(read32(data, at + 8));
        entry.offset = static_cast<qsizetype>(read32(data, at + 12));
        if (entry.offset < 0 || entry.length <= 0 || entry.offset > data.size()
            || entry.length > data.size() - entry.offset)
            return {};
        found.append(entry);
    }
    return found;
}

// A BMP-style image: BITMAPINFOHEADER, palette, colour rows bottom-up, then
// the 1-bit transparency mask, rows padded to 4 bytes.
QImage decodeBitmap(const QByteArray &bitmap, int width, int height)
{
    if (bitmap.size() < 40 || read32(bitmap, 0) < 40)
        return {};
    const qsizetype headerSize = read32(bitmap, 0);
    const int bits = static_cast<int>(read16(bitmap, 14));
    if (static_cast<int>(read32(bitmap, 4)) != width || read32(bitmap, 16) != 0)
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return {};
    std::uint32_t colours = read32(bitmap, 32);
    if (bits <= 8 && colours == 0)
        colours = 1U << bits;
    if (bits > 8)
        colours = 0;

    const qsizetype paletteAt = headerSize;
    const qsizetype pixelsAt = paletteAt + 4 * qsizetype(colours);
    const qsizetype stride = ((qsizetype(width) * bits + 31) / 32) * 4;
    const qsizetype maskStride = ((qsizetype(width) + 31) / 32) * 4;
    const qsizetype maskAt = pixelsAt + stride * height;
    const bool hasMask = bits != 32;
    if (maskAt + (hasMask ? maskStride * height : 0) > bitmap.size())
        return {};

    const auto *bytes = reinterpret_cast<const unsigned char *>(bitmap.constData());
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = bytes + pixelsAt + stride * (height - 1 - y);
        const unsigned char *mask = bytes + maskAt + maskStride * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb colour = 0;
            if (bits == 32) {
                const unsigned char *p = row + 4 * static_cast<qsizetype>(x);
                colour = qRgba(p[2], p[1], p[0], p[3]);
            } else if (bits == 24) {
                const unsigned char *p = row + 3 * static_cast<qsizetype>(x);
                colour = qRgb(p[2], p[1], p[0]);
            } else {
                const int perByte = 8 / bits;
                const int shift = (perByte - 1 - x % perByte) * bits;
                const std::uint32_t index = (row[x / perByte] >> shift) & ((1U << bits) - 1);
                if (index >= colours)
                    return {};
                const unsigned char *p = bytes + paletteAt + 4 * qsizetype(index);
                colour = qRgb(p[2], p[1], p[0]);
            }
            if (hasMask && ((mask[x / 8] >> (7 - x % 8)) & 1) != 0)
                colour = qRgba(0, 0, 0, 0);
            out[x] = colour;
        }
    }
    return image;
}

} // namespace

QImage decodeIcon(const QByteArray &data, int size)
{
    for (const Entry &entry : entries(data)) {
        if (entry.width != size || entry.height != size)
            continue;
        const QByteArray bitmap = data.mid(entry.offset, entry.length);
        if (bitmap.startsWith("\x89PNG")) {
            QImage png = QImage::fromData(bitmap, "PNG");
            return png.size() == QSize(size, size) ? png.convertToFormat(QImage::Format_ARGB32)
                                                   : QImage();
        }
        return decodeBitmap(bitmap, entry.width, entry.height);
    }
    return {};
}

QIcon loadIcon(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    QIcon icon;
    for (const Entry &entry : entries(data)) {
        const QImage image = decodeIcon(data, entry.width);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace pictures
