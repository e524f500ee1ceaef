// Speed of building the command bars and of switching language: the time of
// Make_Menus plus Make_Toolbars with every voice espeak-ng has, and of a
// language switch (reading the language file and the caption pass).
#include "app/AppContext.h"
#include "commands/CommandKeys.h"
#include "fakes/FakePlatform.h"
#include "commands/Captions.h"
#include "commands/CommandBars.h"
#include "commands/ImageList.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "platform/SpeechEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QApplication>

#include "commands/CommandBarView.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace lorva;

namespace {

class NoWindows : public CaptionTargets
{
public:
    void setWindowNames(const WindowNames &) override {}
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useIconThemes();
    const QString folder = QStringLiteral(LORVA_DATA_DIR);

    QElapsedTimer clock;
    clock.start();
    const auto speech = createEspeakSpeech(createWavFile(QStringLiteral("/dev/null")));
    const QStringList voices = speech->voiceDescriptions();
    const double listing = clock.nsecsElapsed() / 1e6;

    std::vector<double> build, drawn, switching;
    for (int run = 0; run < 11; ++run) {
        test::FakePlatform platform;
        AppContext ctx(folder, platform);
        const ImageList &images = ctx.images;
        NoWindows windows;
        clock.restart();
        ctx.menus = Make_Menus(ctx.commands, images, languageFiles(folder), voices, 6000);
        Make_Toolbars(ctx.commands, ctx.menus);
        build.push_back(clock.nsecsElapsed() / 1e6);

        // The same bars as widgets: three tool bars with their menus.
        clock.restart();
        using namespace elements;
        CommandBarView bar0(ctx.commands, images, StartTools, StartMenus),
            bar1(ctx.commands, images, StartTabs, StartMenus), bar2(ctx.commands, images, StartSites, StartMenus);
        bar0.showBar(keys::Standard0);
        bar1.showBar(keys::Standard1);
        bar2.showBar(keys::Standard2);
        drawn.push_back(clock.nsecsElapsed() / 1e6);

        for (const char *language : {"italian", "english"}) {
            clock.restart();
            ctx.options.LanguageName = QString::fromLatin1(language);
            Read_Language(folder, ctx.options.LanguageName, ctx.language);
            Set_Captions(ctx.language, ctx.options, ctx.commands, windows);
            switching.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::printf("espeak-ng voices listed: %lld in %.1f ms (first call, with initialisation)\n",
                static_cast<long long>(voices.size()), listing);
    std::printf("Make_Menus + Make_Toolbars with %lld voices: median %.2f ms over %zu runs\n",
                static_cast<long long>(voices.size()), median(build), build.size());
    std::printf("the three bars built as widgets with their menus: median %.2f ms\n", median(drawn));
    std::printf("language switch (read + caption pass, bars updating): median %.2f ms over %zu switches\n",
                median(switching), switching.size());
    return 0;
}
