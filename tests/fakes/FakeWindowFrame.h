#pragma once

#include "platform/WindowFrame.h"

namespace lorva::test {

// A window's frame on a 1280 by 800 screen, its place kept as the
// placement file has it.
struct FakeWindowFrame : WindowFrame
{
    int screenWidthTwips() const override { return screenWidth; }
    int screenHeightTwips() const override { return screenHeight; }
    int innerWidthTwips() const override { return int(place.width); }
    int innerHeightTwips() const override { return int(place.height); }
    TwipsRect windowRectTwips() const override
    {
        return {int(place.left), int(place.top), int(place.width), int(place.height)};
    }
    void moveWindowTwips(const TwipsRect &r) override
    {
        place = {double(r.top), double(r.left), double(r.height), double(r.width)};
    }
    bool minimized() const override { return isMinimized; }

    WindowPlace place;
    int screenWidth = 19200;
    int screenHeight = 12000;
    bool isMinimized = false;
};

} // namespace lorva::test
