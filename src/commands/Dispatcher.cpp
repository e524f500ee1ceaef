#include "commands/Dispatcher.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "commands/Captions.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "config/Options.h"
#include "speech/Speech.h"

#include <QUrl>

namespace lorva {

namespace {

constexpr int kToolBar = 0;
constexpr int kSiteBar = 2;
constexpr int kMenus = 3;

} // namespace

Dispatcher::Dispatcher(AppContext &ctx, MainWindowPort &window, CommandTarget &target)
    : m_ctx(ctx), m_window(window), m_target(target)
{
    addRows();
}

void Dispatcher::setRow(int element, const QString &key, Handler handler)
{
    m_rows[element].insert(key, std::move(handler));
}

void Dispatcher::setPrefixRow(int element, const QString &prefix, Handler handler)
{
    m_prefixRows[element].emplace_back(prefix, std::move(handler));
}

bool Dispatcher::hasRow(int element, const QString &key) const
{
    return element >= 0 && element < 4 && m_rows[element].contains(key);
}

void Dispatcher::click(int element, const QString &key)
{
    // Clicks on the tab bar and on elements beyond the menus do nothing.
    if (element < 0 || element >= 4 || element == 1)
        return;
    try {
        if (const auto it = m_rows[element].constFind(key); it != m_rows[element].constEnd()) {
            (*it)(key);
            return;
        }
        for (const auto &[prefix, handler] : m_prefixRows[element]) {
            if (key.startsWith(prefix)) {
                handler(key);
                return;
            }
        }
    } catch (const AppError &error) {
        m_target.showFailure(error.message());
    }
}

void Dispatcher::menuOpened() { m_window.setTimerEnabled(MainTimer::Timer1, false); }

void Dispatcher::menuClosed()
{
    if (m_ctx.options.FloatingBars == 1)
        m_window.setTimerEnabled(MainTimer::Timer1, true);
}

void Dispatcher::navigateSite(const QString &address)
{
    m_window.setAddressText(address);
    GO_Address(m_ctx, m_window, 0);
}

void Dispatcher::setBarStyle(const QString &key, int style)
{
    m_ctx.options.BarStyle = qint16(style);
    m_ctx.commands.setChecked(key, true);
    m_target.applyBarStyle(style);
}

void Dispatcher::toggleFloating()
{
    const CommandEntry *entry = m_ctx.commands.entry(QStringLiteral("FILE:FLOATING"));
    if (entry && entry->checked) {
        m_window.setTimerEnabled(MainTimer::Timer1, true);
        m_window.setTimerInterval(MainTimer::Timer1, 750);
        m_ctx.options.FloatingBars = 1;
        m_ctx.main.BarsShown = true;
        GO_BarOff(m_ctx, m_window);
    } else {
        m_window.setTimerEnabled(MainTimer::Timer1, false);
        m_ctx.options.FloatingBars = 0;
    }
}

void Dispatcher::switchLanguage(const QString &key)
{
    const QString previous = m_ctx.options.LanguageName;
    m_ctx.options.LanguageName = key.mid(key.indexOf(u':') + 1).toLower();
    try {
        Read_Language(m_ctx.programFolder, m_ctx.options.LanguageName, m_ctx.language, m_window);
    } catch (const AppError &) {
        // A file that cannot be read must not become the language of the
        // next start: the program keeps the one it has.
        m_ctx.options.LanguageName = previous;
        throw;
    }
    const int tabs = m_window.tabCount();
    m_ctx.main.TabURLs.resize(tabs);
    const int current = m_window.currentTab();
    for (int t = 0; t < kMaxTabs; ++t)
        m_window.setViewVisible(t, t == current);
    Set_Captions(m_ctx, m_ctx.commands, m_window);
    Save_Opt(m_ctx.programFolder, m_ctx.options);
}

void Dispatcher::addRows()
{
    const auto exit = [this](const QString &) { m_target.closeProgram(); };
    const auto page = [this](int command) { return [this, command](const QString &) { m_target.execWB(command); }; };
    const auto back = [this](const QString &) { m_target.goBack(); };
    const auto forward = [this](const QString &) { m_target.goForward(); };

    setRow(kToolBar, QStringLiteral("EXIT0"), exit);
    setRow(kToolBar, QStringLiteral("BACK"), back);
    setRow(kToolBar, QStringLiteral("NEXT"), forward);
    setRow(kToolBar, QStringLiteral("PRINT"), page(6));
    setRow(kToolBar, QStringLiteral("SPEAK"), [this](const QString &) { GO_Talk(m_ctx, m_window); });

    setRow(kSiteBar, QStringLiteral("GOOGLE"), [this](const QString &) { navigateSite(m_ctx.language.SearchUrl); });
    setRow(kSiteBar, QStringLiteral("WIKI"), [this](const QString &) { navigateSite(m_ctx.language.DictionaryUrl); });
    setRow(kSiteBar, QStringLiteral("MAP"), [this](const QString &) { navigateSite(m_ctx.language.MapUrl); });
    setRow(kSiteBar, QStringLiteral("SOCIAL"), [this](const QString &) { navigateSite(m_ctx.language.SocialUrl); });
    setRow(kSiteBar, QStringLiteral("EBAY"), [this](const QString &) { navigateSite(m_ctx.language.EcommerceUrl); });
    setRow(kSiteBar, QStringLiteral("MIN"), [this](const QString &) { m_target.minimizeWindow(); });
    setRow(kSiteBar, QStringLiteral("EXIT2"), exit);

    setRow(kMenus, QStringLiteral("EDIT:STOP"), [this](const QString &) { m_window.stopView(m_window.currentTab()); });
    setRow(kMenus, QStringLiteral("EDIT:PAGESET"), page(8));
    setRow(kMenus, QStringLiteral("EDIT:PREVIEW"), page(7));
    setRow(kMenus, QStringLiteral("EDIT:PRINT"), page(6));
    setRow(kMenus, QStringLiteral("EDIT:PROPERTIES"), page(10));
    setRow(kMenus, QStringLiteral("FILE:SYSTEM"), [this](const QString &k) { setBarStyle(k, 0); });
    setRow(kMenus, QStringLiteral("FILE:OFFICE"), [this](const QString &k) { setBarStyle(k, 1); });
    setRow(kMenus, QStringLiteral("FILE:XP"), [this](const QString &k) { setBarStyle(k, 3); });
    setRow(kMenus, QStringLiteral("FILE:MONEY"), [this](const QString &k) { setBarStyle(k, 2); });
    setRow(kMenus, QStringLiteral("FILE:FLOATING"), [this](const QString &) { toggleFloating(); });
    setRow(kMenus, QStringLiteral("FILE:HELP"), [this](const QString &) {
        m_target.shellOpen(QUrl::fromLocalFile(legacy::resolvePath(m_ctx.programFolder, QStringLiteral("Data/Help.html")))
                               .toString());
    });
    setRow(kMenus, QStringLiteral("FILE:EXPLORER"), [this](const QString &) { m_target.shellOpen(m_window.addressText()); });
    setRow(kMenus, QStringLiteral("FILE:SECURITY"), [this](const QString &) { m_target.openSettings(SettingsPanel::Security); });
    setRow(kMenus, QStringLiteral("FILE:VOLUME"), [this](const QString &) { m_target.openSettings(SettingsPanel::Sound); });
    setRow(kMenus, QStringLiteral("FILE:INTERNET"), [this](const QString &) { m_target.openSettings(SettingsPanel::Network); });
    setRow(kMenus, QStringLiteral("EDIT:TXT"), [this](const QString &) {
        m_target.shellOpen(languageFilePath(m_ctx.programFolder, m_ctx.options.LanguageName));
    });
    setRow(kMenus, QStringLiteral("EDIT:CUT"), page(11));
    setRow(kMenus, QStringLiteral("EDIT:COPY"), page(12));
    setRow(kMenus, QStringLiteral("EDIT:PASTE"), page(13));
    setRow(kMenus, QStringLiteral("EDIT:FINDDOC"), [this](const QString &) { m_target.showFindBar(); });
    setRow(kMenus, QStringLiteral("EDIT:SELECT"), page(17));
    setRow(kMenus, QStringLiteral("EDIT:DELETE"), page(33));
    setRow(kMenus, QStringLiteral("EDIT:TRANS"), [this](const QString &) {
        if (!m_ctx.language.TranslatorPath.isEmpty())
            m_window.navigateView(m_window.currentTab(), m_ctx.language.TranslatorPath);
    });
    setRow(kMenus, QStringLiteral("EDIT:EXIT"), exit);
    setRow(kMenus, QStringLiteral("NAVIGATE:BACK"), back);
    setRow(kMenus, QStringLiteral("NAVIGATE:NEXT"), forward);
    setRow(kMenus, QStringLiteral("NAVIGATE:REFRESH"), [this](const QString &) { m_target.refreshCurrent(); });
    // The engine has no home page of its own: its home is the language's start page.
    setRow(kMenus, QStringLiteral("NAVIGATE:HOME"), [this](const QString &) {
        if (!m_ctx.language.StartPage.isEmpty())
            m_window.navigateView(m_window.currentTab(), m_ctx.language.StartPage);
    });
    setRow(kMenus, QStringLiteral("NAVIGATE:PICKHOME"), [this](const QString &) {
        m_ctx.options.HomePage = m_window.addressText();
        Save_Opt(m_ctx.programFolder, m_ctx.options);
    });
    setPrefixRow(kMenus, QStringLiteral("TTS:"), [this](const QString &key) { Voice_Click(m_ctx, m_window, key); });
    setPrefixRow(kMenus, QStringLiteral("LANG:"), [this](const QString &key) {
        if (key != u"LANG:NEW")
            switchLanguage(key);
    });
}

} // namespace lorva
