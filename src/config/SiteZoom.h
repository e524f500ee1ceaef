#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace lorva {

// The zoom the user chose for each site, in percent, by the site's host
// (lower case, its international form in ASCII). A site at 100 % has no
// entry: it is shown as it comes.
using SiteZoom = QMap<QString, int>;

inline const QString kZoomFile = QStringLiteral("Data/Zoom.txt");

// The range a view can be zoomed in.
inline constexpr int kMinZoom = 25;
inline constexpr int kMaxZoom = 500;

// Reads the zoom file: one "host<TAB>percent" a line. A line that is not
// one (no tab, an empty or spaced host, no whole number, a percent outside
// the range, 100) is passed over; a missing file is no zoom at all.
SiteZoom readSiteZoom(const QString &programFolder);

// The lines of the file, one per site, sorted by host.
QStringList siteZoomLines(const SiteZoom &zoom);

// Writes the file whole. Throws AppError when it cannot.
void saveSiteZoom(const QString &programFolder, const SiteZoom &zoom);

} // namespace lorva
