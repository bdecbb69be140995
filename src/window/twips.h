#pragma once

// The window's layout is given in twips; 15 twips make one pixel at 96 dpi.

#include <QWidget>

namespace twips {

[[nodiscard]] constexpr int pixels(int twips)
{
    return twips / 15;
}

inline void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

} // namespace twips
