// The command bars of the real main window: menus, captions in two
// languages, the four bar styles, and commands carried out on a real page.
#include "commands/CommandBarView.h"
#include "browser/FindBar.h"
#include "commands/Captions.h"
#include "commands/CommandKeys.h"
#include "config/Pronunciation.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QToolBar>

using namespace lorva;
using namespace lorva::test;

namespace {

class CommandBarsTest : public MainWindowFixture
{
protected:
    CommandBarView *mainBar() const { return window->cmdBar(0); }

    QAction *action(CommandBarView *bar, const QString &key) const
    {
        const QList<QAction *> actions = bar->actionsOf(key);
        return actions.isEmpty() ? nullptr : actions.first();
    }

    // The menu's entries as shown: captions, and "-" for separators.
    static QStringList shown(QMenu *menu)
    {
        QStringList out;
        for (QAction *a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    QStringList captions(std::initializer_list<int> positions) const
    {
        QStringList out;
        for (int p : positions)
            out << (p < 0 ? QStringLiteral("-") : ctx->language.Captions[p]);
        return out;
    }

    // Opens the menu of a main tool bar entry with a real click, and runs
    // `inside` while it is open; the menu is closed afterwards.
    void withOpenMenu(const QString &key, const std::function<void(QMenu *)> &inside)
    {
        QWidget *button = mainBar()->toolBar()->widgetForAction(action(mainBar(), key));
        ASSERT_TRUE(button);
        bool ran = false;
        QTimer::singleShot(400, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (menu) {
                inside(menu);
                ran = true;
            }
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        person.click(Person::at(button));
        waitUntil([&] { return ran; }, 3000);
        ASSERT_TRUE(ran) << "the menu of " << qPrintable(key) << " did not open";
    }
};

} // namespace

TEST_F(CommandBarsTest, EveryMenuShowsItsEntriesInEnglish)
{
    const auto &C = ctx->language.Captions;
    EXPECT_EQ(shown(mainBar()->menuOf(keys::Edit)),
              (captions({125, 256}) + QStringList{"Speak_English.txt", "-"} +
               captions({157, 158, 159, 18, 23, -1, 41, 42, 43, 177, 166, -1, 35, 176, 189, -1, 1})));
    EXPECT_EQ(shown(mainBar()->menuOf(keys::Save)), captions({145, 146, 147, 148, 149, 206}));
    EXPECT_EQ(shown(mainBar()->menuOf(keys::File)),
              captions({-1, 180, 172, 173, 174, -1, 38, -1, 160, 162, 97, 161, -1, 138, 175}));
    EXPECT_EQ(shown(mainBar()->menuOf(keys::Navigate)), captions({170, 169, -1, 2, 126, 3, -1, 135, 63}));
    EXPECT_EQ(shown(mainBar()->menuOf(keys::Lang)), (QStringList{"English", "Italian", C[209]}));

    // Steering speech first, then the automatic voice, then the voices.
    QStringList voices = shown(mainBar()->menuOf(keys::Tts));
    EXPECT_EQ(voices.mid(0, 18), captions({218, 219, 220, -1, 221, 244, 248, 250, 249, -1, 222, 246, kPronunciationCaption,
                                            280, 281, -1, kAutomaticVoiceCaption, -1}));
    voices = voices.mid(18);
    EXPECT_GE(voices.size(), 1) << "espeak-ng lists no voice";
    // Grouped by language, the English voices first.
    EXPECT_TRUE(voices.first().startsWith("Voice: English")) << qPrintable(voices.first());
    for (const QString &voice : voices)
        EXPECT_TRUE(voice == "-" || voice.startsWith("Voice: ")) << qPrintable(voice);
    EXPECT_TRUE(voices.contains("Voice: English (Great Britain)")) << voices.size();

    // Every tool button can be told apart by a screen reader.
    for (QAction *a : mainBar()->toolBar()->actions()) {
        if (a->isSeparator())
            continue;
        QWidget *button = mainBar()->toolBar()->widgetForAction(a);
        ASSERT_TRUE(button);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_TRUE(accessible);
        EXPECT_EQ(accessible->text(QAccessible::Name), a->text()) << qPrintable(a->objectName());
        EXPECT_FALSE(a->text().isEmpty()) << qPrintable(a->objectName());
    }
    // And so can the parts that show no text: the window, the bars, the
    // speech picture.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), C[179]);
    for (int bar = 0; bar < 3; ++bar)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window->cmdBar(bar)->toolBar())->text(QAccessible::Name),
                  C[232 + bar]);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->timebar())->text(QAccessible::Name), C[236]);
    EXPECT_EQ(action(mainBar(), keys::Exit0)->toolTip(), C[32]);
    EXPECT_EQ(action(window->cmdBar(2), keys::Google)->toolTip(), ctx->language.SearchDescr);
    EXPECT_FALSE(action(mainBar(), keys::Speak)->isEnabled());

    withOpenMenu(keys::File, [&](QMenu *menu) {
        EXPECT_EQ(menu->objectName(), keys::File);
        QTest::qWait(100);
        window->screen()->grabWindow(0).save(QStringLiteral(LORVA_SCREENSHOT_DIR "/file-menu.png"));
    });
}

TEST_F(CommandBarsTest, ChoosingItalianInTheLanguageMenuSwitchesEverything)
{
    server.addPage("/it", page("Pagina"));
    type(server.url("/it"));
    ASSERT_TRUE(waitForLoad(0, server.url("/it")));
    ASSERT_FALSE(window->Tab1()->tabText(0).isEmpty());

    withOpenMenu(keys::Lang, [&](QMenu *menu) {
        QAction *italian = nullptr;
        for (QAction *a : menu->actions())
            if (a->objectName() == keys::language("italian"))
                italian = a;
        ASSERT_TRUE(italian);
        person.click(Person::at(menu, menu->actionGeometry(italian).center()));
    });
    ASSERT_TRUE(waitUntil([&] { return ctx->options.LanguageName == u"italian"; }, 3000));

    EXPECT_EQ(mainBar()->menuOf(keys::Edit)->actions().last()->text(), QStringLiteral("Esci"));
    EXPECT_EQ(action(mainBar(), keys::Exit0)->toolTip(), QStringLiteral("Esci da LorvaSpeak"));
    EXPECT_EQ(action(mainBar(), keys::Edit)->toolTip(), QStringLiteral("Modifica"));
    EXPECT_EQ(action(window->cmdBar(2), keys::Google)->toolTip(), QStringLiteral("Cerca nel web con DuckDuckGo"));
    EXPECT_EQ(mainBar()->menuOf(keys::Edit)->actions().at(2)->text(), QStringLiteral("Speak_italian.txt"));
    EXPECT_TRUE(action(mainBar(), keys::language("italian"))->isChecked() ||
                mainBar()->menuOf(keys::Lang)->actions().at(1)->isChecked());
    // The tabs keep the names of their pages.
    EXPECT_EQ(window->Tab1()->tabText(0), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(window->Tab1()->tabText(1), QString());
    EXPECT_EQ(window->cmdMove()->toolTip(), QStringLiteral("Trascina per spostare la finestra"));

    const QList<QByteArray> lines = folder.read("Data/lorvaspeak.Opt").split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[5], QByteArray("italian\r"));
}

TEST_F(CommandBarsTest, TheFourBarStylesLookDifferent)
{
    QStringList sheets;
    const QString *styles[] = {&keys::FileSystem, &keys::FileOffice, &keys::FileMoney, &keys::FileXp};
    QImage shots[4];
    for (int style = 0; style < 4; ++style) {
        for (QAction *a : mainBar()->menuOf(keys::File)->actions())
            if (a->objectName() == *styles[style])
                a->trigger();
        QTest::qWait(200);
        EXPECT_EQ(ctx->options.BarStyle, style);
        for (int bar = 0; bar < 3; ++bar)
            EXPECT_EQ(window->cmdBar(bar)->barStyle(), style) << bar;
        shots[style] = window->picBar()->grab().toImage();
        window->screen()->grabWindow(0, 0, 0, window->width(), 60)
            .save(QStringLiteral(LORVA_SCREENSHOT_DIR "/bar-style-%1.png").arg(style));
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(shots[a], shots[b]) << "styles " << a << " and " << b << " look the same";
}

TEST_F(CommandBarsTest, PageCommandsActOnTheCurrentPage)
{
    server.addPage("/words", page("Words", "<p>Alpha bravo charlie.</p>"));
    type(server.url("/words"));
    ASSERT_TRUE(waitForLoad(0, server.url("/words")));

    QGuiApplication::clipboard()->clear();
    ctx->dispatcher.click(elements::StartMenus, keys::EditSelect);
    ctx->dispatcher.click(elements::StartMenus, keys::EditCopy);
    EXPECT_TRUE(waitUntil([] { return QGuiApplication::clipboard()->text().contains("Alpha bravo charlie."); }, 5000))
        << qPrintable(QGuiApplication::clipboard()->text());

    ctx->dispatcher.click(elements::StartMenus, keys::EditFindDoc);
    ASSERT_TRUE(window->findBar()->isVisible());
    ASSERT_TRUE(waitUntil([&] { return window->findBar()->box()->hasFocus(); }, 2000));
    person.type("bravo");
    EXPECT_TRUE(waitUntil([&] { return window->findBar()->box()->styleSheet().isEmpty(); }, 3000));
    person.type("zzz");
    EXPECT_TRUE(waitUntil([&] { return !window->findBar()->box()->styleSheet().isEmpty(); }, 3000));
    person.key("Escape");
    EXPECT_TRUE(waitUntil([&] { return !window->findBar()->isVisible(); }, 2000));

    bool sawProperties = false;
    QTimer::singleShot(600, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
            for (QLabel *label : labels)
                sawProperties |= label->text() == server.url("/words");
            dialog->accept();
        }
    });
    ctx->dispatcher.click(elements::StartMenus, keys::EditProperties);
    EXPECT_TRUE(sawProperties);

    server.addPage("/second", page("Second"));
    type(server.url("/second"));
    ASSERT_TRUE(waitForLoad(0, server.url("/second")));
    person.click(Person::at(mainBar()->toolBar()->widgetForAction(action(mainBar(), keys::Back))));
    EXPECT_TRUE(waitForLoad(0, server.url("/words")));
}

TEST_F(CommandBarsTest, TypedWordsAreSearchedAndASiteButtonOpensItsSiteWithoutAHistoryEntry)
{
    server.addPage("/search?q=", page("Search site"));
    server.addPage("/search?q=python%20pathlib", page("Found"));
    ctx->language.SearchUrl = server.url("/search?q=");
    type(QStringLiteral("python pathlib"));
    ASSERT_TRUE(waitUntil([&] { return window->statusBar()->text() == "Found"; }));
    EXPECT_EQ(server.requests("/search?q=python%20pathlib"), 1);
    EXPECT_EQ(QUrl(window->Text1()->currentText()), QUrl(server.url("/search?q=python%20pathlib")));

    // The box shows the page's address, no words: the button opens its site.
    const int before = window->Text1()->count();
    person.click(Person::at(window->cmdBar(2)->toolBar()->widgetForAction(action(window->cmdBar(2), keys::Google))));
    ASSERT_TRUE(waitForLoad(0, server.url("/search?q=")));
    EXPECT_EQ(window->Text1()->count(), before);
    EXPECT_EQ(ctx->main.TabURLs[0], server.url("/search?q="));
}
