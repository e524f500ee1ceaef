#include "app/Startup.h"

#include "addresses/History.h"
#include "app/AppContext.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "browser/SiteName.h"
#include "commands/Captions.h"
#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "config/LegacyText.h"
#include "config/SiteZoom.h"
#include "config/Placement.h"
#include "linktables/LinkFiles.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QFile>

#include <cstdio>
#include <functional>

namespace lorva {

QString todayText(const QDate &date)
{
    return QString::number(date.year()) + u'-' + QStringLiteral("0%1").arg(date.month()).right(2) +
           u'-' + QStringLiteral("0%1").arg(date.day()).right(2);
}

void Form_Load(AppContext &ctx, MainContext &window, const QDate &today)
{
    MainState &main = ctx.main;
    main.TodayText = todayText(today);
    ctx.exports.pictureCounter = 0;

    Read_Opt(ctx.programFolder, ctx.options);
    applyTabCount(window.tabs, Read_Language(ctx.programFolder, ctx.options.LanguageName, ctx.language));

    main.TabURLs = QStringList(window.tabs.tabCount(), QString());
    // The tab strip sits in a panel of bar 1 as wide as the language says.
    main.layout.Tab1.width = ctx.language.TabWidth;
    main.layout.Tab1Wanted = ctx.language.TabWidth;

    ctx.speech.SpeechVoice = ctx.platform.createSpeech();
    const QStringList voices = ctx.speech.SpeechVoice ? ctx.speech.SpeechVoice->voiceDescriptions() : QStringList();
    ctx.menus = Make_Menus(ctx.commands, ctx.images, languageFiles(ctx.programFolder), voices, ctx.language.TabWidth);
    ctx.menus.VoiceGroups = voiceMenuGroups(voices, ctx.options.LanguageName);
    Make_Toolbars(ctx.commands, ctx.menus);
    Read_Rate(ctx.programFolder, ctx.speech, ctx.commands);
    ctx.speech.pronunciation = readPronunciation(ctx.programFolder).entries;
    Read_ReadingChoice(ctx.programFolder, ctx.speech, ctx.commands);
    Set_Captions(ctx.language, ctx.options, ctx.commands, window.names);
    Default_Titles(ctx.links, ctx.language.Captions[34]);

    WindowFrame &frame = window.frame;
    Read_Place(ctx.programFolder, ctx.placement, frame.screenWidthTwips(), frame.screenHeightTwips());

    main.BarsShown = true;
    main.layout.picBar = {20, 0, main.layout.picBar.width, 385};
    main.layout.Text1.top = 30;

    ctx.commands.setChecked(keys::FileFloating, ctx.options.FloatingBars != 0);
    const QString *styles[] = {&keys::FileSystem, &keys::FileOffice, &keys::FileMoney, &keys::FileXp};
    if (ctx.options.BarStyle >= 0 && ctx.options.BarStyle <= 3)
        ctx.commands.setChecked(*styles[ctx.options.BarStyle], true);

    Hyst_Read(ctx.programFolder, window.address.history());
    main.Zoom = readSiteZoom(ctx.programFolder);

    window.form.attachCommandBars(ctx.options.BarStyle);
    ctx.commands.setEnabled(keys::Speak, false);
    ctx.commands.setEnabled(keys::Favorite, false);
    window.status.setTimebarPicture(kSpeechOffPicture);

    main.layout.cmdBar[0].width = 5950;
    main.layout.cmdBar[0].left = 0;
    main.layout.cmdBar[2].width = 2800;
    main.layout.cmdBar[1].top = -10;
    main.layout.cmdBar[1].left = main.layout.cmdBar[0].width;

    const Placement &place = ctx.placement;
    if (place.PlaceState == 2)
        frame.moveWindowTwips({0, 0, frame.screenWidthTwips(), frame.screenHeightTwips()});
    else
        frame.moveWindowTwips({place.PlaceLeft, place.PlaceTop, place.PlaceWidth, place.PlaceHeight});
    // The real window lays itself out on the resize this causes; do it here
    // so that the layout is right before the window is first shown.
    Form_Resize(window);

    for (int i = 0; i < window.tabs.tabCount(); ++i)
        Set_Web(window, i);

    main.CurrentURL.clear();
    main.layout.progressBar.width = 1800;
    window.status.setProgress(0);
    main.layout.cmdMoveL.left = 0;
    main.layout.statusBar.left = main.layout.cmdMoveL.width;

    if (ctx.options.HomePage.isEmpty())
        ctx.options.HomePage = kDefaultHomePage;
    const QString first = ctx.options.HomePage;
    window.address.setAddressText(first);
    window.tabs.setCurrentTab(0);
    main.TabURLs[0] = first;
    main.CurrentURL = first;
    openInView(window.tabs, 0, first);
    QString site = first;
    Site_Name(site);
    window.tabs.setTabCaption(0, site);
    window.tabs.showView(0);

    MainTimers &timers = window.timers;
    if (ctx.options.FloatingBars == 1) {
        timers.setTimerInterval(MainTimer::Timer1, 5000);
        timers.setTimerEnabled(MainTimer::Timer1, true);
        main.BarsShown = true;
    }
    timers.setTimerInterval(MainTimer::Timer4, 750);
    timers.setTimerEnabled(MainTimer::Timer4, true);
    timers.setTimerInterval(MainTimer::Timer5, 2000);
    timers.setTimerInterval(MainTimer::Timer6, 1000);
}

void Timer4_Timer(AppContext &ctx, MainContext &window)
{
    window.timers.setTimerEnabled(MainTimer::Timer4, false);
    if (ctx.startupTailDone)
        return;
    ctx.startupTailDone = true;

    try {
        Read_Links(ctx.programFolder, ctx.links, ctx.language.Captions[34]);
    } catch (const AppError &error) {
        // Without its Links folder the program still browses and speaks.
        window.dialogs.failure(error.message());
    }
    ctx.exports.templatePath = legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/Template.Doc"));
    ctx.exports.templatePathH = legacy::resolvePath(ctx.programFolder, QStringLiteral("Data/TemplateH.Doc"));
    ctx.exports.pictureWidth = window.frame.screenWidthTwips();
    ctx.exports.pictureHeight = window.frame.screenHeightTwips();
    ctx.commands.setEnabled(keys::Favorite, true);
    Fill_List1(ctx.speech);
}

bool GO_Exit(AppContext &ctx, MainContext &window, const std::function<void()> &unloadOthers)
{
    if (ctx.exiting)
        return false;
    ctx.exiting = true;

    // Each file is saved on its own: one that cannot be written is reported
    // and must not keep the others from being saved or the window from closing.
    const std::function<void()> saves[] = {
        [&] { Save_Opt(ctx.programFolder, ctx.options); },
        [&] { Hyst_Save(ctx.programFolder, window.address.history()); },
        [&] {
            const TwipsRect r = window.frame.windowRectTwips();
            Save_Place(ctx.programFolder, ctx.placement, r.top, r.left, r.height, r.width);
        },
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
    // Nobody may be there to answer it when a signal ended the program, and
    // whoever started it learns of it on standard error.
    if (!failures.isEmpty()) {
        ctx.saveFailed = true;
        const QString message = failures.join(u'\n');
        std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(message));
        std::fflush(stderr);
        window.dialogs.failure(message, ctx.unattendedExit ? kUnattendedMessageMs : 0);
    }

    // From here on every failure is ignored and the next step runs.
    stopView(window.tabs, window.tabs.currentTab());
    window.form.hideWindow();
    for (const char *name : {"html.txt", "doc.txt"}) {
        const QString path = legacy::resolvePath(ctx.programFolder, QLatin1String(name));
        if (QFile::exists(path))
            QFile::remove(path);
    }
    unloadOthers();
    window.form.unloadWindow();
    return true;
}

void switchLanguage(AppContext &ctx, MainContext &window, const QString &key)
{
    const QString previous = ctx.options.LanguageName;
    const QString name = key.mid(key.indexOf(u':') + 1).toLower();
    int tabCount = 0;
    try {
        tabCount = Read_Language(ctx.programFolder, name, ctx.language);
    } catch (const AppError &) {
        // A file that cannot be read must not become the language of the
        // next start: the program keeps the one it has.
        ctx.options.LanguageName = previous;
        markLanguage(ctx.commands, previous); // the click had checked the other
        throw;
    }
    ctx.options.LanguageName = name;
    applyTabCount(window.tabs, tabCount);
    const int tabs = window.tabs.tabCount();
    ctx.main.TabURLs.resize(tabs);
    ctx.main.TabTitles.resize(qMin(tabs, int(ctx.main.TabTitles.size())));
    ctx.main.TabProgress.resize(qMin(tabs, int(ctx.main.TabProgress.size())));
    const int current = window.tabs.currentTab();
    for (int t = 0; t < kMaxTabs; ++t)
        window.tabs.setViewVisible(t, t == current);
    Set_Captions(ctx.language, ctx.options, ctx.commands, window.names);
    Default_Titles(ctx.links, ctx.language.Captions[34]);
    Save_Opt(ctx.programFolder, ctx.options);
}

void addProgramRows(AppContext &ctx, MainContext &window)
{
    ctx.dispatcher.setPrefixRow(elements::StartMenus, keys::LangPrefix, [&ctx, &window](const QString &key) {
        if (key != keys::LangNew)
            switchLanguage(ctx, window, key);
    });
}

} // namespace lorva
