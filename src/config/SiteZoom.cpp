#include "config/SiteZoom.h"

#include "config/LegacyText.h"

namespace lorva {

namespace {

// A host as the file keeps it: something to look a page's host up by, with
// nothing in it that would break the line apart.
bool isHost(QStringView host)
{
    if (host.isEmpty())
        return false;
    for (const QChar c : host) {
        if (c.isSpace() || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace

SiteZoom readSiteZoom(const QString &programFolder)
{
    SiteZoom zoom;
    const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kZoomFile));
    if (!lines)
        return zoom;
    for (const QString &line : *lines) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            continue;
        const QString host = line.left(tab).trimmed().toLower();
        const QStringView number = QStringView(line).mid(tab + 1).trimmed();
        bool whole = !number.isEmpty();
        for (const QChar c : number)
            whole = whole && c >= u'0' && c <= u'9';
        const int percent = whole && number.size() <= 4 ? number.toInt() : 0;
        if (!isHost(host) || percent < kMinZoom || percent > kMaxZoom || percent == 100)
            continue;
        zoom.insert(host, percent);
    }
    return zoom;
}

QStringList siteZoomLines(const SiteZoom &zoom)
{
    QStringList lines;
    for (auto it = zoom.cbegin(); it != zoom.cend(); ++it) {
        if (isHost(it.key()) && it.value() != 100)
            lines << it.key() + u'\t' + QString::number(it.value());
    }
    return lines;
}

void saveSiteZoom(const QString &programFolder, const SiteZoom &zoom)
{
    legacy::writeTextLines(legacy::resolvePath(programFolder, kZoomFile), siteZoomLines(zoom),
                           QStringLiteral("Save_Zoom"));
}

} // namespace lorva
