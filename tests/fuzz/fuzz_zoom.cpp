// Feeds arbitrary bytes to the site zoom reader through a real file: every
// level read lies in the offered range and is never 100 (that is no entry),
// every host is a lower-case name without spaces, and what is written for
// them reads back the same.
#include "config/SiteZoom.h"

#include "FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Data");
    fuzz::writeInput(folder + QLatin1Char('/') + kZoomFile, data, size);
    const SiteZoom zoom = readSiteZoom(folder);
    for (auto it = zoom.cbegin(); it != zoom.cend(); ++it) {
        if (it.value() < kMinZoom || it.value() > kMaxZoom || it.value() == 100)
            std::abort();
        if (it.key().isEmpty() || it.key() != it.key().toLower() || it.key().contains(QLatin1Char(' ')))
            std::abort();
    }
    saveSiteZoom(folder, zoom);
    if (readSiteZoom(folder) != zoom)
        std::abort();
    return 0;
}
