#pragma once

#include <QString>

namespace lorva {

struct MainContext;

// The caption the status text shows the level with ("Zoom").
inline constexpr int kZoomCaption = 252;
// The zoom levels a browser steps through, in percent.
inline constexpr int kZoomSteps[] = {25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400, 500};

// The step after `percent` towards larger (direction > 0) or smaller
// (direction < 0); a level between two steps goes to the nearer one that
// way. The ends stay where they are.
int nextZoomStep(int percent, int direction);

// The site a page at `address` is zoomed as: its host, in lower case and in
// its ASCII form. Empty for a page of no site (a file, a blank page).
QString zoomSite(const QString &address);

// Zooms the current tab's page one step larger (direction > 0), smaller
// (< 0), or back to 100 % (0). Every tab showing the same site follows, as
// the site keeps its zoom for next time; the status text shows the level.
void Zoom_Page(MainContext &ctx, int direction);

// The view of tab `index` shows a page at `address`: it takes that site's zoom.
void Zoom_Follow(MainContext &ctx, int index, const QString &address);

} // namespace lorva
