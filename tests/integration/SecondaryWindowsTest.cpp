// The bookmark, the language-file editor with its question, and the About
// box, on the real windows, driven through the X server as a person does.
#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "support/MainWindowFixture.h"
#include "windows/WindowBar.h"
#include "windows/frmAbout.h"
#include "windows/frmInput.h"
#include "windows/frmLang.h"

#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QToolBar>

using namespace lorva;
using namespace lorva::test;

namespace {

QWidget *shown(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

QPoint buttonOf(CommandBarView *bar, const QString &key)
{
    return Person::at(bar->toolBar()->widgetForAction(bar->actionsOf(key).first()));
}

class SecondaryWindows : public MainWindowFixture
{
protected:
    // From aside: clicks `key` on a secondary window's bar.
    void press(WindowBar *bar, const QString &key)
    {
        QPoint at;
        Person::onMain([&] { at = buttonOf(bar->view(), key); });
        person.click(at);
    }
};

} // namespace

TEST_F(SecondaryWindows, ThePageShownIsBookmarkedAndOpenedInTheNextRun)
{
    server.addPage("/marked", page("Marked"));
    server.addPage("/typed", page("Typed", "<a href='/marked' style='display:block;width:100%;height:600px'>on</a>"));
    type(server.url("/typed"));
    ASSERT_TRUE(waitForLoad(0, server.url("/typed")));
    person.click(Person::at(window->Web(0)->widget(), QPoint(40, 40)));
    ASSERT_TRUE(waitForLoad(0, server.url("/marked")));
    bool picked = false;
    person.aside([&] { picked = choose(keys::Navigate, keys::NavigatePick); });
    ASSERT_TRUE(picked);
    ASSERT_TRUE(waitUntil([&] { return folder.exists("Data/LorvaBook.bm"); }, 3000));
    EXPECT_EQ(window->statusBar()->text(), ctx->language.Captions[170] + ": " + server.url("/marked"));
    stop();
    EXPECT_EQ(folder.read("Data/LorvaBook.bm"), (server.url("/marked") + "\r\n").toUtf8());

    start();
    bool went = false;
    person.aside([&] { went = choose(keys::Navigate, keys::NavigateGo); });
    ASSERT_TRUE(went);
    EXPECT_TRUE(waitForLoad(0, server.url("/marked")));
    EXPECT_EQ(window->Text1()->currentText(), server.url("/marked"));
    stop();
    EXPECT_FALSE(folder.read("Data/lorvaspeak.Hys").contains(server.url("/marked").toUtf8()))
        << "going to the bookmark adds no history entry";
}

TEST_F(SecondaryWindows, ALanguageWrittenInTheEditorIsOfferedAtOnceAndTheMenuMarksTheLanguageChosen)
{
    // What the language menu shows checked, by language key.
    const auto marked = [this] {
        QStringList keys;
        Person::onMain([&] {
            for (QAction *action : window->cmdBar(0)->menuOf(keys::Lang)->actions()) {
                if (action->isChecked())
                    keys << action->objectName();
            }
        });
        return keys;
    };
    EXPECT_EQ(marked(), QStringList({keys::language("english")}));

    bool editorShown = false, asked = false, closed = false, escaped = false;
    QString message;
    person.aside([&] {
        // Escape leaves at once while nothing was typed.
        if (!choose(keys::Lang, keys::LangNew) || !Person::waitFor([] { return shown("frmLang") != nullptr; }))
            return;
        person.key("Escape");
        escaped = Person::waitFor([] { return !shown("frmLang"); });
        if (!escaped || !choose(keys::Lang, keys::LangNew))
            return;
        frmLang *editor = nullptr;
        editorShown = Person::waitFor([&] { return (editor = qobject_cast<frmLang *>(shown("frmLang"))) != nullptr; });
        if (!editorShown)
            return;
        QPoint text;
        Person::onMain([&] { text = Person::at(editor->text()); });
        person.click(text);
        person.key("ctrl+End Return");
        person.type("SEARCH_DESCR=Sok Klingon");
        press(editor->bar(), keys::Save5);
        Person::waitFor([] { return qobject_cast<QInputDialog *>(QApplication::activeModalWidget()) != nullptr; });
        person.type("klingon");
        person.key("Return");
        Person::waitFor([&] { return folder.exists("Languages/Speak_klingon.Txt"); });
        QMessageBox *box = nullptr;
        if (Person::waitFor([&] { return (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) != nullptr; })) {
            Person::onMain([&] { message = box->text(); });
            person.key("Return");
            Person::waitFor([] { return !qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); });
        }

        press(editor->bar(), keys::Exit3);
        frmInput *question = nullptr;
        asked = Person::waitFor([&] { return (question = qobject_cast<frmInput *>(shown("frmInput"))) != nullptr; });
        if (!asked)
            return;
        press(question->bar(), keys::OkYes);
        closed = Person::waitFor([] { return !shown("frmLang"); });
    });
    EXPECT_TRUE(escaped) << "Escape left the language editor open";
    ASSERT_TRUE(editorShown);
    EXPECT_TRUE(asked) << "typing, saving, then leaving asks the question";
    EXPECT_TRUE(closed);
    const QByteArray saved = folder.read("Languages/Speak_klingon.Txt");
    EXPECT_TRUE(saved.endsWith("\r\nSEARCH_DESCR=Sok Klingon\r\n")) << saved.right(80).constData();
    EXPECT_TRUE(message.startsWith("Saved as ") && message.endsWith("Speak_klingon.Txt")) << qPrintable(message);

    // In the menu at once, not only after a restart.
    bool chosen = false;
    person.aside([&] { chosen = choose(keys::Lang, keys::language("klingon")); });
    ASSERT_TRUE(chosen) << "the new language is not in the language menu";
    EXPECT_TRUE(waitUntil([&] { return ctx->options.LanguageName == "klingon"; }, 3000));
    EXPECT_EQ(ctx->language.SearchDescr, "Sok Klingon");
    EXPECT_EQ(ctx->language.Captions[2], "Back") << "the English captions came along";
    EXPECT_EQ(marked(), QStringList({keys::language("klingon")}));

    stop();
    start();
    EXPECT_EQ(marked(), QStringList({keys::language("klingon")})) << "the language of the start is marked";
}

TEST_F(SecondaryWindows, TheAboutBoxShowsTheBuildsVersionAndClosesOnOk)
{
    QString version;
    bool closed = false;
    person.aside([&] {
        QPoint about;
        Person::onMain([&] { about = buttonOf(window->cmdBar(0), keys::Brevonta); });
        person.click(about);
        frmAbout *box = nullptr;
        if (!Person::waitFor([&] { return (box = qobject_cast<frmAbout *>(shown("frmAbout"))) != nullptr; }))
            return;
        Person::onMain([&] { version = box->label("lblVersion")->text(); });
        press(box->bar(), keys::AboutOk);
        closed = Person::waitFor([] { return !shown("frmAbout"); });
    });
    EXPECT_EQ(version, ctx->language.Captions[198] + " " + LORVA_VERSION);
    EXPECT_TRUE(closed);
}
