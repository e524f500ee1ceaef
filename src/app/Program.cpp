#include "app/Program.h"

#include "app/Startup.h"
#include "addresses/History.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "config/LegacyText.h"
#include "browser/Downloading.h"
#include "browser/MainCommands.h"
#include "browser/frmStart.h"
#include "browser/Navigation.h"
#include "export/Pictures.h"
#include "linktables/frmTab.h"
#include "platform/Dialogs.h"
#include "windows/frmAbout.h"
#include "windows/frmEDit.h"
#include "windows/frmInput.h"
#include "windows/frmLang.h"

#include <QFileInfo>
#include <QPointer>

#include <cstdio>
#include <QTimer>

#include <memory>

namespace lorva {

Program::Program(QString programFolder, Platform &platform)
    : m_ctx(std::move(programFolder), platform), m_windows(m_ctx),
      m_speech(lorva::speechContext(m_ctx, m_windows.main().context())),
      m_exports{m_windows.main().context(), m_ctx.exports}
{
    frmStart &window = m_windows.main();
    MainContext &main = window.context();
    addMainRows(m_ctx, main, m_speech, m_exports,
                {[this] { GO_Tables(); }, [this] { showLanguageEditor(); }, [this] { showAbout(); },
                 [this](QWidget *shown) { showModal(shown); }});
    watchDownloads(main, m_ctx.downloads);
    m_ctx.dispatcher.setFailureHandler([&main](CommandWindow, const QString &message) { main.dialogs.failure(message); });

    QObject::connect(window.timer(MainTimer::Timer4), &QTimer::timeout, &window, [this] {
        Timer4_Timer(m_ctx, mainContext());
        qCDebug(lcStartup, "start-up tail done");
    });
    QObject::connect(window.timer(MainTimer::Timer6), &QTimer::timeout, &window, [this] { Timer6_Timer(m_speech); });
    QObject::connect(&window.tabStrip(), &TabStrip::leftButtonUp, &window,
                     [this](int index) { Web_LeftButtonUp(m_speech, index); });
    QObject::connect(&window.tabStrip(), &TabStrip::readFrom, &window,
                     [this](int index, QPoint point) { Read_PageFrom(m_speech, index, point); });
    QObject::connect(&window, &frmStart::closing, &window, [this] {
        // Speech half saved is dropped: the user's file stays as it was.
        stopSavingSpeech(m_speech);
        // Files half downloaded go at once, without a word.
        abandonDownloads(mainContext(), m_ctx.downloads);
        Save_Places(m_speech);
        GO_Exit(m_ctx, mainContext(), [this] { m_windows.unloadOthers(); });
    });
}

void addMainRows(AppContext &ctx, MainContext &main, SpeechContext &speech, ExportContext &exports,
                 const WindowOpeners &open)
{
    Dispatcher &d = ctx.dispatcher;
    addMainWindowRows(d, main);
    addSpeechRows(d, speech, open.showModal);
    addExportRows(d, exports);
    addPictureRows(d, exports);
    addProgramRows(ctx, main);
    addDownloadRows(d, ctx.downloads);
    d.setRow(elements::StartTools, keys::Favorite, [tables = open.tables](const QString &) { tables(); });
    d.setRow(elements::StartMenus, keys::LangNew, [editor = open.languageEditor](const QString &) { editor(); });
    const auto about = [about = open.about](const QString &) { about(); };
    d.setRow(elements::StartTools, keys::Brevonta, about);
    d.setRow(elements::StartMenus, keys::FileBrevonta, about);
}

// The save's thread and the downloads report to the windows: they end before the windows go.
Program::~Program()
{
    stopSavingSpeech(m_speech);
    Save_Places(m_speech);
    abandonDownloads(mainContext(), m_ctx.downloads);
}

MainContext &Program::mainContext() { return m_windows.main().context(); }

void Program::load(const QDate &today)
{
    Form_Load(m_ctx, mainContext(), today);
    m_windows.main().setLoaded();
    keepFilesCurrent();
}

void Program::keepFilesCurrent()
{
    MainContext &main = mainContext();
    const QString &folder = m_ctx.programFolder;
    m_kept.keep(legacy::resolvePath(folder, kOptionsFile), QStringLiteral("Save_Opt"),
                [this] { return optionsLines(m_ctx.options); });
    m_kept.keep(legacy::resolvePath(folder, kHistoryFile), QStringLiteral("Hyst_Save"),
                [&main] { return historyLines(main.address.history()); });
    m_kept.keep(legacy::resolvePath(folder, kPlacementFile), QStringLiteral("Save_Place"), [this, &main] {
        const TwipsRect r = main.frame.windowRectTwips();
        return placementLines(m_ctx.placement, r.top, r.left, r.height, r.width);
    });
    // Half a second between checks keeps what a kill can lose under a
    // second; a check that finds nothing changed writes nothing.
    m_keepTimer.setInterval(500);
    QObject::connect(&m_keepTimer, &QTimer::timeout, &m_keepTimer, [this] {
        if (m_ctx.exiting)
            return;
        for (const QString &failure : m_kept.saveChanged())
            std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(failure));
        std::fflush(stderr);
    });
    m_keepTimer.start();
}

void Program::endUnattended()
{
    m_ctx.unattendedExit = true;
    m_windows.main().close();
}

void Program::GO_Tables()
{
    MainContext &main = mainContext();
    m_ctx.main.ChosenLink.clear();
    auto shown = std::make_shared<QPointer<frmTab>>();
    LinkTableContext values{
        m_ctx.programFolder, m_ctx.links, m_ctx.placement, m_ctx.language, m_ctx.commands, m_ctx.dispatcher,
        m_ctx.main.ChosenLink, m_ctx.main.TodayText, m_ctx.platform,
        [this, &main] { return CurrentPage{m_ctx.main.PageTitle, m_ctx.main.CurrentURL, main.address.addressText()}; },
        [this, shown] {
            if (*shown)
                openRowEditor(**shown);
        }};
    auto *table = new frmTab(std::move(values));
    *shown = table;
    showModal(table, [table] { table->load(); });
    // The program may have ended meanwhile, taking the window along.
    if (m_ctx.exiting)
        return;
    if (!m_ctx.main.ChosenLink.isEmpty()) {
        main.address.setAddressText(m_ctx.main.ChosenLink);
        GO_Address(main, 0);
    }
}

void Program::openRowEditor(frmTab &table)
{
    QPointer<frmTab> owner(&table);
    RowEditorContext values{m_ctx.links, m_ctx.placement.editor, m_ctx.language,   m_ctx.commands,
                            m_ctx.dispatcher, table.grid(),       m_ctx.platform,
                            [owner] {
                                if (owner)
                                    Save_Table(owner->context());
                            }};
    auto *editor = new frmEDit(std::move(values));
    showModal(editor, [editor] { editor->load(); });
}

void Program::showModal(QWidget *window, const std::function<void()> &prepare)
{
    QPointer<QWidget> shown(window);
    m_windows.load(window);
    if (prepare) {
        try {
            prepare();
        } catch (...) {
            m_windows.unload(window);
            throw; // the dispatcher shows it
        }
    }
    m_windows.showModal(window);
    if (shown)
        m_windows.unload(shown);
}

void Program::askQuestion()
{
    showModal(new frmInput(m_ctx.language, m_ctx.windows, m_ctx.commands, m_ctx.dispatcher, m_ctx.options.BarStyle));
}

void Program::showLanguageEditor()
{
    auto *editor = new frmLang(m_ctx.programFolder, m_ctx.language, m_ctx.windows, m_ctx.commands, m_ctx.dispatcher,
                               m_ctx.platform, m_ctx.options.BarStyle, [this] { askQuestion(); },
                               [this](const QString &path) {
                                   // Offered at once, not from the next start.
                                   addLanguage(m_ctx.commands, m_ctx.images, m_ctx.menus,
                                               QFileInfo(path).fileName());
                               });
    showModal(editor, [editor] { editor->load(); });
}

void Program::showAbout()
{
    showModal(new frmAbout(m_ctx.programFolder, m_ctx.language, m_ctx.commands, m_ctx.dispatcher, m_ctx.platform,
                           m_ctx.options.BarStyle));
}

} // namespace lorva
