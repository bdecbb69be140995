#pragma once

// The window's pictures are Windows icon files. They are decoded here rather
// than through Qt's image-format plugin: loading the plugin costs the program
// half a megabyte of memory at start-up for seven tiny pictures.

#include <QIcon>
#include <QImage>

class QByteArray;
class QString;

namespace pictures {

// The image of the given size from an icon file's bytes, with its
// transparency; a null image when the file has no such image or is damaged.
// Reads uncompressed images of 1, 4, 8, 24 and 32 bits and PNG-compressed ones.
[[nodiscard]] QImage decodeIcon(const QByteArray &data, int size);

// Every image of an icon file (from the resources), as one QIcon.
[[nodiscard]] QIcon loadIcon(const QString &path);

} // namespace pictures
