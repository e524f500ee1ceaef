#include "app/Startup.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "addresses/History.h"
#include "browser/MainWindowLogic.h"
#include "browser/SiteName.h"
#include "commands/Captions.h"
#include "commands/MakeMenus.h"
#include "speech/Speech.h"
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
    // The tab strip sits in a panel of bar 1 as wide as the language says.
    main.layout.Tab1.width = ctx.language.TabWidth;
    main.layout.Tab1Wanted = ctx.language.TabWidth;

    ctx.SpeechVoice = window.createSpeech();
    ctx.menus = Make_Menus(ctx.commands, window.imageList(), languageFiles(ctx.programFolder),
                           ctx.SpeechVoice ? ctx.SpeechVoice->voiceDescriptions() : QStringList(),
                           ctx.language.TabWidth, window.tabStripWidget());
    Make_Toolbars(ctx.commands, ctx.menus);
    Set_Captions(ctx, ctx.commands, window);

    // Without a placement file the window covers the screen.
    ctx.placement.PlaceTop = 0;
    ctx.placement.PlaceLeft = 0;
    ctx.placement.PlaceHeight = qint16(qMin(window.screenHeightTwips(), 32767));
    ctx.placement.PlaceWidth = qint16(qMin(window.screenWidthTwips(), 32767));

    main.BarsShown = true;
    main.layout.picBar = {20, 0, main.layout.picBar.width, 385};
    main.layout.Text1.top = 30;

    ctx.commands.setChecked(QStringLiteral("FILE:FLOATING"), ctx.options.FloatingBars != 0);
    const char *styles[] = {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"};
    if (ctx.options.BarStyle >= 0 && ctx.options.BarStyle <= 3)
        ctx.commands.setChecked(QLatin1String(styles[ctx.options.BarStyle]), true);

    Hyst_Read(ctx.programFolder, window.history());

    window.attachCommandBars(ctx.options.BarStyle);
    ctx.commands.setEnabled(QStringLiteral("SPEAK"), false);
    ctx.commands.setEnabled(QStringLiteral("FAVORITE"), false);
    window.setTimebarPicture(kSpeechOffPicture);

    main.layout.cmdBar[0].width = 5950;
    main.layout.cmdBar[0].left = 0;
    main.layout.cmdBar[2].width = 2800;
    main.layout.cmdBar[1].top = -10;
    main.layout.cmdBar[1].left = main.layout.cmdBar[0].width;

    const Placement &place = ctx.placement;
    if (place.PlaceState == 2)
        window.moveWindowTwips(0, 0, window.screenWidthTwips(), window.screenHeightTwips());
    else
        window.moveWindowTwips(place.PlaceLeft, place.PlaceTop, place.PlaceWidth, place.PlaceHeight);
    // The real window lays itself out on the resize this causes; do it here
    // so that the layout is right before the window is first shown.
    Form_Resize(ctx, window);

    for (int i = 0; i < window.tabCount(); ++i)
        Set_Web(ctx, window, i);

    main.CurrentURL.clear();
    main.layout.progressBar.width = 1800;
    window.setProgress(0);
    main.layout.cmdMoveL.left = 0;
    main.layout.statusBar.left = main.layout.cmdMoveL.width;

    if (ctx.options.HomePage.isEmpty())
        ctx.options.HomePage = kDefaultHomePage;
    const QString first = ctx.options.HomePage;
    window.setAddressText(first);
    window.setCurrentTab(0);
    main.TabURLs[0] = first;
    main.CurrentURL = first;
    window.navigateView(0, first);
    QString site = first;
    Site_Name(site);
    window.setTabCaption(0, site);
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
    ctx.commands.setEnabled(QStringLiteral("FAVORITE"), true);
    Fill_List1(ctx);
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
        [&] { Hyst_Save(ctx.programFolder, window.history()); },
    };
    QStringList failures;
    for (const auto &save : saves) {
        try {
            save();
        } catch (const AppError &error) {
            failures << error.message();
        }
    }
    // A missing folder fails every save alike: one message tells it all.
    // Nobody may be there to answer it when a signal ended the program.
    if (!failures.isEmpty()) {
        ctx.saveFailed = true;
        window.showExitFailure(failures.join(u'\n'), ctx.unattendedExit ? kUnattendedMessageMs : 0);
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
