#pragma once

namespace lorva {

struct AppContext;
class MainWindowPort;

// The layout pass of the main window, run on every resize.
void Form_Resize(AppContext &ctx, MainWindowPort &window);
// Places view `index` below the bars, or over them while they are hidden.
void Set_Web(AppContext &ctx, MainWindowPort &window, int index);
void GO_BarOff(AppContext &ctx, MainWindowPort &window);
void GO_BarOn(AppContext &ctx, MainWindowPort &window);

// Floating mode: shows the bars when the pointer nears the window's top.
void Timer1_Timer(AppContext &ctx, MainWindowPort &window);

void Tab1_MouseDown(AppContext &ctx, int buttons);
void Tab1_Click(AppContext &ctx, MainWindowPort &window);
void Tab1_MouseMove(AppContext &ctx, MainWindowPort &window, int xPixels);

// The index of the tab under the pointer, as the tooltip counts it, or -1.
int tabTooltipIndex(int xPixels, int stripWidthTwips, int tabCount);

// F12 makes the window cover the screen.
void Form_KeyDown(AppContext &ctx, MainWindowPort &window, int keyCode);

} // namespace lorva
