#pragma once

// The window's pictures come from the resources in two forms: PNG images
// rendered from the SVG sources (assets/make_pictures.sh) at the sizes a
// screen at 100 % shows, and the sources themselves, which Qt's SVG icon
// engine (Debian's libqt6svg6 or qt6-svg-plugins) draws at any other scale. A
// Qt without that engine (the Windows build) gets PNGs rendered at the sizes
// of the common scales instead.

#include <QIcon>

class QString;

namespace pictures {

// The picture ":/assets/<name>.png" (with "<name>_16.png" where there is one)
// as an icon; at any other scale than 100 % it draws from
// ":/assets/src/<name>.svg" or the PNGs in ":/assets/sizes/<name>/",
// whichever the program carries.
[[nodiscard]] QIcon load(const QString &name);

} // namespace pictures
