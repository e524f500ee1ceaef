#pragma once

#include <QRect>

#include <cmath>

namespace lorva {

// Window geometry is kept in twips, as the program's files and layout rules
// have it, and turned into pixels only where a widget is placed.
inline constexpr int kTwipsPerPixel = 15;

struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsRect &, const TwipsRect &) = default;
};

inline int toPixels(int twips) { return int(std::lround(twips / double(kTwipsPerPixel))); }

inline QRect toPixels(const TwipsRect &r)
{
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

} // namespace lorva
