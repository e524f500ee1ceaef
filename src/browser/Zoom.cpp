#include "browser/Zoom.h"

#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/SiteZoom.h"
#include "platform/BrowserView.h"

#include <QUrl>

#include <cstdio>
#include <iterator>

namespace lorva {

namespace {


int siteLevel(const MainState &main, const QString &site)
{
    return site.isEmpty() ? 100 : main.Zoom.value(site, 100);
}

} // namespace

int nextZoomStep(int percent, int direction)
{
    if (direction > 0) {
        for (const int step : kZoomSteps)
            if (step > percent)
                return step;
        return qMax(percent, kZoomSteps[std::size(kZoomSteps) - 1]);
    }
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < percent)
            return *it;
    return qMin(percent, kZoomSteps[0]);
}

QString zoomSite(const QString &address)
{
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http" && scheme != u"https" && scheme != u"ftp")
        return {};
    return url.host(QUrl::FullyEncoded).toLower();
}

void Zoom_Page(MainContext &ctx, int direction)
{
    BrowserView *current = ctx.tabs.view(ctx.tabs.currentTab());
    if (!current)
        return;
    const int percent = direction == 0 ? 100 : nextZoomStep(current->zoom(), direction);
    current->setZoom(percent);
    ctx.status.showNotice(ctx.language.Captions[kZoomCaption] + QStringLiteral(": ") + QString::number(percent) +
                          u'%');

    const QString site = zoomSite(current->LocationURL());
    if (site.isEmpty() || siteLevel(ctx.main, site) == percent)
        return;
    // As in any browser, the level belongs to the site: its other tabs follow.
    for (int i = 0; i < ctx.tabs.tabCount(); ++i) {
        if (BrowserView *view = ctx.tabs.view(i); view && zoomSite(view->LocationURL()) == site)
            view->setZoom(percent);
    }
    if (percent == 100)
        ctx.main.Zoom.remove(site);
    else
        ctx.main.Zoom.insert(site, percent);
    try {
        saveSiteZoom(ctx.programFolder, ctx.main.Zoom);
    } catch (const AppError &error) {
        // The page keeps its zoom for this run; a message box for each step
        // of the wheel would only be in the way.
        std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(error.message()));
        std::fflush(stderr);
    }
}

void Zoom_Follow(MainContext &ctx, int index, const QString &address)
{
    if (BrowserView *view = ctx.tabs.view(index))
        view->setZoom(siteLevel(ctx.main, zoomSite(address)));
}

} // namespace lorva
