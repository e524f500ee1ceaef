#pragma once

#include "config/Geometry.h"

namespace lorva {

// Places and sizes of the main window's parts, in twips, starting from their
// designed values. Bar positions are relative to the top bar area; the
// status strip's parts relative to the strip; Tab1 and Text1 relative to bar 1.
struct MainLayout
{
    TwipsRect picBar{20, 0, 14055, 385};
    TwipsRect cmdBar[3] = {{0, 0, 5950, 375}, {5950, -10, 5455, 375}, {11255, 0, 2800, 375}};
    TwipsRect Tab1{0, 0, 5000, 325};
    int Tab1Wanted = 5000; // the tab panel's width from the language; Tab1 gives way to the address box
    TwipsRect Text1{5060, 30, 2400, 315};
    TwipsRect picStat{0, 5570, 14140, 355};
    TwipsRect cmdMoveL{0, 10, 375, 334};
    TwipsRect statusBar{375, 12, 11055, 330};
    TwipsRect timebar{11430, 10, 495, 334};
    TwipsRect progressBar{11925, 12, 1800, 330};
    TwipsRect cmdMove{13735, 10, 375, 334};
    // Every view has this place; only the current one is shown.
    TwipsRect view{0, 385, 14160, 5185};

    bool picStatVisible = true;
    bool statusBarVisible = true; // the status text panel's own visible mark
};

enum class WindowShowState { Normal, Minimized, Maximized };

} // namespace lorva
