#pragma once

namespace lorva {

struct MainContext;
struct MainState;
class TabHost;

// The layout pass of the main window, run on every resize.
void Form_Resize(MainContext &ctx);
// Places view `index` below the bars, or over them while they are hidden.
void Set_Web(MainContext &ctx, int index);
void GO_BarOff(MainContext &ctx);
void GO_BarOn(MainContext &ctx);

// Floating mode: shows the bars when the pointer nears the window's top.
void Timer1_Timer(MainContext &ctx);

void Tab1_MouseDown(MainState &main, int buttons);
void Tab1_Click(MainContext &ctx);
void Tab1_MouseMove(MainContext &ctx, int xPixels);

// The index of the tab under the pointer, as the tooltip counts it, or -1.
int tabTooltipIndex(int xPixels, int stripWidthTwips, int tabCount);

// Sets the tab count a language file gave (none when 0), creates the views
// of the tabs; the tabs kept keep their captions.
void applyTabCount(TabHost &tabs, int count);

// Makes the main window translucent (205 while an export runs) or opaque
// again (255); the low byte of `alpha` counts.
void Set_Alpha(MainContext &ctx, int alpha);

// The hourglass (true) or the arrow over the main window.
void Set_Pointer(MainContext &ctx, bool busy);

// F12 makes the window cover the screen.
void Form_KeyDown(MainContext &ctx, int keyCode);

} // namespace lorva
