#include "commands/CommandKeys.h"
#include "config/Language.h"
#include "fakes/FakePlatform.h"
#include "support/TempFolder.h"
#include "windows/SecondaryWindows.h"
#include "windows/WindowsState.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

// The language-file editor's logic over a program folder, with the question
// dialog answered as the test says.
struct Editor
{
    Editor()
    {
        language.Captions[211] = QStringLiteral("Name?");
        language.Captions[243] = QStringLiteral("Not a name: ");
        folder.write("Languages/Speak_english.txt", crlf({"LANG=eng", "\"Exit\""}));
        folder.write("Languages/Speak_Italian.txt", crlf({"old"}));
    }
    void command(const QString &key) { languageEditorCommand(ctx, key); }
    void saveAs(const QString &name)
    {
        dialogs.inputAnswer = name;
        command(keys::Save5);
    }

    TempFolder folder;
    const QString path = folder.path();
    Language language;
    WindowsState state;
    FakeDialogs dialogs;
    QString text = QStringLiteral("LANG=kli\n\"Qapla\"\n");
    int questions = 0;
    qint16 answer = 0;
    bool closed = false;
    LanguageEditorContext ctx{path,
                              language,
                              state,
                              dialogs,
                              [this] { return text; },
                              [this] {
                                  ++questions;
                                  state.Answer = answer;
                              },
                              [this] { closed = true; }};
};

} // namespace

TEST(LanguageEditor, AsksBeforeLeavingOnlyOnceSomethingWasTypedInTheRun)
{
    Editor e;
    e.command(keys::Exit3);
    EXPECT_EQ(e.questions, 0);
    EXPECT_TRUE(e.closed);

    // Typed, saved, then leaving: still asked; "No" keeps the editor open.
    e.closed = false;
    e.state.languageChanged = true;
    e.saveAs(QStringLiteral("klingon"));
    e.command(keys::Exit3);
    EXPECT_EQ(e.questions, 1);
    EXPECT_FALSE(e.closed);
    e.answer = 1;
    e.command(keys::Exit3);
    EXPECT_TRUE(e.closed);

    // A second opening in the same run asks without typing.
    Editor second;
    second.state = e.state;
    second.answer = 1;
    second.command(keys::Exit3);
    EXPECT_EQ(second.questions, 1);
    EXPECT_TRUE(second.closed);
}

TEST(LanguageEditor, SavesUnderTheNameAndReplacesAFileOfAnyCase)
{
    Editor e;
    e.saveAs(QStringLiteral("klingon"));
    EXPECT_EQ(e.folder.read("Languages/Speak_klingon.Txt"), crlf({"LANG=kli", "\"Qapla\""}));
    e.saveAs(QStringLiteral("italian"));
    EXPECT_EQ(e.folder.read("Languages/Speak_Italian.txt"), crlf({"LANG=kli", "\"Qapla\""}));
    EXPECT_FALSE(e.folder.exists("Languages/Speak_italian.Txt"));
    e.dialogs.inputAnswer.reset(); // cancelled
    e.command(keys::Save5);
    e.saveAs(QString());
    EXPECT_TRUE(e.dialogs.failures.isEmpty());
    EXPECT_EQ(QDir(e.folder.file("Languages")).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(languageTemplate(e.path), QStringLiteral("LANG=eng\n\"Exit\""));
}

TEST(LanguageEditor, RefusesNamesThatAreNoNamesAndWritesNothingOutside)
{
    Editor e;
    const QStringList refused{"  ", "../outside", "a/b", "a\\b", "..", "x:y", "what?", "tab\there",
                              QStringLiteral("nul") + QChar(0) + "x"};
    for (const QString &name : refused)
        e.saveAs(name);
    ASSERT_EQ(e.dialogs.failures.size(), refused.size());
    EXPECT_EQ(e.dialogs.failures[7], QStringLiteral("Not a name: tab\\x09here"));
    EXPECT_EQ(QDir(e.folder.file("Languages")).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(QDir(e.path).entryList(QDir::Files).size(), 0);
    EXPECT_FALSE(QFile::exists(e.folder.file("outside.Txt")));
    EXPECT_EQ(languageFileFor(e.path, QStringLiteral(" french ")), e.folder.file("Languages/Speak_french.Txt"));

    // A folder that cannot take the file: reported, nothing half-written.
    e.folder.remove("Languages");
    e.saveAs(QStringLiteral("french"));
    EXPECT_EQ(e.dialogs.failures.size(), refused.size() + 1);
    EXPECT_FALSE(e.folder.exists("Languages/Speak_french.Txt"));
}

TEST(QuestionDialog, YesNoAndAnyOtherKey)
{
    WindowsState state;
    questionCommand(state, keys::OkYes);
    EXPECT_EQ(state.Answer, 1);
    questionCommand(state, QStringLiteral("OTHER"));
    EXPECT_EQ(state.Answer, 1) << "a close without a button keeps the last answer";
    questionCommand(state, keys::OkNo);
    EXPECT_EQ(state.Answer, 0);
}
