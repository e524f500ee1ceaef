#include "app/Startup.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "config/Options.h"

#include <QFile>

#include <functional>

namespace lorva {

QString todayText(const QDate &date)
{
    return QString::number(date.year()) + u'-' + QStringLiteral("0%1").arg(date.month()).right(2) +
           u'-' + QStringLiteral("0%1").arg(date.day()).right(2);
}

void Form_Load(AppContext &ctx, MainWindowPort &window, const QDate &today)
{
    MainState &main = ctx.main;
    main.TodayText = todayText(today);
    main.groupFactorA = 30;
    main.groupFactorB = 5;
    main.pictureCounter = 0;
    main.exportAlpha = 205;
    main.normalAlpha = 255;

    Read_Opt(ctx.programFolder, ctx.options);
    Read_Language(ctx.programFolder, ctx.options.LanguageName, ctx.language, window);

    main.TabURLs = QStringList(window.tabCount(), QString());

    // Without a placement file the window covers the screen.
    ctx.placement.PlaceTop = 0;
    ctx.placement.PlaceLeft = 0;
    ctx.placement.PlaceHeight = qint16(qMin(window.screenHeightTwips(), 32767));
    ctx.placement.PlaceWidth = qint16(qMin(window.screenWidthTwips(), 32767));

    main.BarsShown = true;

    const Placement &place = ctx.placement;
    if (place.PlaceState == 2)
        window.moveWindowTwips(0, 0, window.screenWidthTwips(), window.screenHeightTwips());
    else
        window.moveWindowTwips(place.PlaceLeft, place.PlaceTop, place.PlaceWidth, place.PlaceHeight);

    main.CurrentURL.clear();

    if (ctx.options.HomePage.isEmpty())
        ctx.options.HomePage = kDefaultHomePage;
    const QString first = ctx.options.HomePage;
    window.setAddressText(first);
    window.setCurrentTab(0);
    main.TabURLs[0] = first;
    main.CurrentURL = first;
    window.navigateView(0, first);
    window.showView(0);

    if (ctx.options.FloatingBars == 1) {
        window.setTimerInterval(MainTimer::Timer1, 5000);
        window.setTimerEnabled(MainTimer::Timer1, true);
        main.BarsShown = true;
    }
    window.setTimerInterval(MainTimer::Timer4, 750);
    window.setTimerEnabled(MainTimer::Timer4, true);
    window.setTimerInterval(MainTimer::Timer5, 2000);
    window.setTimerInterval(MainTimer::Timer6, 1000);
}

void Timer4_Timer(AppContext &ctx, MainWindowPort &window)
{
    window.setTimerEnabled(MainTimer::Timer4, false);
    if (ctx.startupTailDone)
        return;
    ctx.startupTailDone = true;

    ctx.main.templatePath = legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/Template.Doc"));
    ctx.main.templatePathH = legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/TemplateH.Doc"));
}

bool GO_Exit(AppContext &ctx, MainWindowPort &window)
{
    if (ctx.exiting)
        return false;
    ctx.exiting = true;

    // Each file is saved on its own: one that cannot be written is reported
    // and must not keep the others from being saved or the window from closing.
    const std::function<void()> saves[] = {
        [&] { Save_Opt(ctx.programFolder, ctx.options); },
    };
    for (const auto &save : saves) {
        try {
            save();
        } catch (const AppError &error) {
            window.showFailure(error.message());
        }
    }

    // From here on every failure is ignored and the next step runs.
    window.stopView(window.currentTab());
    window.hideWindow();
    for (const char *name : {"html.txt", "doc.txt"}) {
        const QString path = legacy::resolvePath(ctx.programFolder, QLatin1String(name));
        if (QFile::exists(path))
            QFile::remove(path);
    }
    window.unloadOtherWindows();
    window.unloadWindow();
    return true;
}

} // namespace lorva
