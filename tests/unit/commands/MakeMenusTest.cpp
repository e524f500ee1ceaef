#include "commands/CommandBars.h"
#include "commands/ImageList.h"
#include "commands/MakeMenus.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;

namespace {

struct Built
{
    CommandBars bars;
    ImageList images;
    MenuTables tables;

    Built(const QStringList &languages, const QStringList &voices)
    {
        tables = Make_Menus(bars, images, languages, voices, 6000);
        Make_Toolbars(bars, tables);
    }
};

const QStringList kFiveVoices{"Afrikaans", "English (Great Britain)", "Italian", "German", "French (France)"};

} // namespace

TEST(MakeToolbars, EveryBarHoldsItsKeysInOrder)
{
    Built b({"Speak_english.txt", "Speak_italian.txt"}, kFiveVoices);
    EXPECT_EQ(b.bars.bar("STANDARD0"),
              QStringList({"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE", "BREVONTA", "SEP11", "EDIT",
                           "SAVE", "FILE", "LANG", "SEP4", "TTS", "SPEAK", "SEP5", "NAVIGATE"}));
    EXPECT_EQ(b.bars.bar("SAVE"),
              QStringList({"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV", "SAVE:EXCEL", "SAVE:PPT", "SAVE:PDF"}));
    EXPECT_EQ(b.bars.bar("EDIT"),
              QStringList({"EDIT:STOP", "EDIT:TXT", "EDIT:TXT:SEPARATOR", "EDIT:CUT", "EDIT:COPY", "EDIT:PASTE",
                           "EDIT:DELETE", "EDIT:SELECT", "EDIT:SELECT:SEPARATOR", "EDIT:PAGESET", "EDIT:PREVIEW",
                           "EDIT:PRINT", "EDIT:PROPERTIES", "EDIT:FINDDOC", "EDIT:VIEW:SEPARATOR", "EDIT:VIEW",
                           "EDIT:PICTURE", "EDIT:TRANS", "EDIT:EXIT:SEPARATOR", "EDIT:EXIT"}));
    EXPECT_EQ(b.bars.bar("FILE"),
              QStringList({"FILE:STYLE:SEPARATOR", "FILE:SYSTEM", "FILE:OFFICE", "FILE:XP", "FILE:MONEY",
                           "FILE:FLOATING:SEPARATOR", "FILE:FLOATING", "FILE:FISH:SEPARATOR", "FILE:EXPLORER",
                           "FILE:SECURITY", "FILE:VOLUME", "FILE:INTERNET", "FILE:INTERNET:SEPARATOR",
                           "FILE:BREVONTA", "FILE:HELP"}));
    EXPECT_EQ(b.bars.bar("NAVIGATE"),
              QStringList({"NAVIGATE:PICK", "NAVIGATE:GO", "NAVIGATE:GO:SEPARATOR", "NAVIGATE:BACK",
                           "NAVIGATE:REFRESH", "NAVIGATE:NEXT", "NAVIGATE:HOME:SEPARATOR", "NAVIGATE:PICKHOME",
                           "NAVIGATE:HOME"}));
    EXPECT_EQ(b.bars.bar("TTS"),
              QStringList({"SPEAK:TRE", "SPEAK:SEI", "SPEAK:DODICI", "SPEAK:STOP:SEPARATOR", "SPEAK:STOP",
                           "SPEAK:PAUSE", "SPEAK:READ", "SPEAK:PREV", "SPEAK:NEXT", "SPEAK:LOG:SEPARATOR", "SPEAK:LOG", "SPEAK:SAVE", "SPEAK:VOICES:SEPARATOR", "TTS:1VOICE",
                           "TTS:2VOICE", "TTS:3VOICE", "TTS:4VOICE", "TTS:5VOICE"}));
    EXPECT_EQ(b.bars.bar("LANG"), QStringList({"LANG:ENGLISH", "LANG:ITALIAN", "LANG:NEW"}));
    EXPECT_EQ(b.bars.bar("STANDARD1"), QStringList({"NIL4"}));
    EXPECT_EQ(b.bars.bar("STANDARD2"),
              QStringList({"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"}));
    EXPECT_TRUE(b.bars.hasBar("TOOLS"));
    EXPECT_TRUE(b.bars.bar("TOOLS").isEmpty());

    // Menus hang below their titles; "TOOLS" is never hung.
    for (const char *title : {"SAVE", "EDIT", "FILE", "NAVIGATE", "TTS", "LANG"}) {
        EXPECT_EQ(b.bars.entry(title)->bar, QString::fromLatin1(title)) << title;
        EXPECT_TRUE(b.bars.entry(title)->dropDown) << title;
    }
    EXPECT_TRUE(b.bars.entry("TOOLS")->bar.isEmpty());
    EXPECT_TRUE(b.bars.entry("SEARCH")->dropDown);
    EXPECT_FALSE(b.bars.entry("BACK")->dropDown);
}

TEST(MakeMenus, EntriesHaveTheirImagesStylesAndFirstTexts)
{
    Built b({}, {});
    const QStringList keys = b.bars.keys();
    EXPECT_EQ(keys.mid(0, 6), QStringList({"EXIT0", "EXIT2", "EXIT5", "EXIT6", "FILE", "BACK"}));
    EXPECT_EQ(b.bars.entry("FILE")->image, 81);
    EXPECT_EQ(b.bars.entry("NAVIGATE")->image, 73);
    EXPECT_EQ(b.bars.entry("FILE:FLOATING")->style, StyleCheck);
    EXPECT_EQ(b.bars.entry("FILE:XP")->style, StyleOption);
    EXPECT_EQ(b.bars.entry("FILE:XP")->image, 75);
    EXPECT_EQ(b.bars.entry("EDIT:FIND:SEPARATOR")->style, StyleSeparator);
    EXPECT_EQ(b.bars.entry("SEP16")->style, StyleSeparator);
    EXPECT_EQ(b.bars.entry("MIN")->image, 22);
    EXPECT_EQ(b.bars.entry("EBAY")->image, 125);
    for (const char *key : {"BREVONTA", "WIKI", "MAP", "SOCIAL", "EBAY"})
        EXPECT_EQ(b.bars.entry(key)->tooltip, QStringLiteral("\"")) << key;
    EXPECT_EQ(b.bars.entry("EXIT0")->tooltip, QString());
    EXPECT_EQ(b.bars.entry("NIL4")->style, StylePanel);
    EXPECT_EQ(b.bars.entry("NIL4")->panelWidth, 6000);
    EXPECT_EQ(b.bars.entry("MOVE2")->panelWidth, 12);
    // No language file: the menu holds only the entry that makes one.
    EXPECT_EQ(b.bars.bar("LANG"), QStringList({"LANG:NEW"}));
    EXPECT_TRUE(b.bars.bar("TTS").isEmpty());
}

TEST(MakeMenus, LanguageEntries)
{
    Built b({"Speak_english.txt", "Speak_english2.txt", "Speak_italian.txt", "Speak_new world.txt",
             "Speak_klingon.txt"},
            {});
    const CommandEntry *english = b.bars.entry("LANG:ENGLISH");
    ASSERT_TRUE(english);
    EXPECT_EQ(english->caption, QStringLiteral("English"));
    EXPECT_EQ(english->tooltip, QStringLiteral("Speak_english.txt"));
    EXPECT_EQ(english->style, StyleOption);
    EXPECT_EQ(b.bars.entry("LANG:NEW WORLD")->caption, QStringLiteral("New World"));
    // Names sharing their first two letters share a flag; unknown ones get 106.
    EXPECT_EQ(b.bars.entry("LANG:ENGLISH2")->image, english->image);
    EXPECT_EQ(b.images.key(english->image + 1).left(2), QStringLiteral("en"));
    EXPECT_EQ(b.images.key(b.bars.entry("LANG:ITALIAN")->image + 1).left(2), QStringLiteral("it"));
    EXPECT_NE(b.bars.entry("LANG:ITALIAN")->image, english->image);
    EXPECT_EQ(b.bars.entry("LANG:KLINGON")->image, 106);
    EXPECT_EQ(b.tables.LanguageCount, 5);
}

TEST(MakeMenus, VoiceEntriesCycleTheirImages)
{
    Built b({}, kFiveVoices);
    const int expected[] = {34, 35, 36, 33, 34};
    for (int n = 1; n <= 5; ++n) {
        const CommandEntry *e = b.bars.entry(QStringLiteral("TTS:%1VOICE").arg(n));
        ASSERT_TRUE(e) << n;
        EXPECT_EQ(e->image, expected[n - 1]) << n;
        EXPECT_EQ(e->style, StyleOption);
        EXPECT_EQ(e->tooltip, kFiveVoices[n - 1]);
        EXPECT_EQ(e->caption, "Voice: " + kFiveVoices[n - 1]);
        EXPECT_FALSE(e->checked);
    }
    EXPECT_EQ(b.tables.VoiceCount, 5);
}

TEST(LanguageFiles, AreListedInOrderOnceEachAndAtMostTwenty)
{
    test::TempFolder folder;
    for (const char *name : {"Speak_italian.txt", "speak_English.txt", "Speak_italian.bak", "Speak_nodot",
                             "Other.txt", "Speak_Zulu.TXT"})
        folder.write(QStringLiteral("Languages/") + name, "x");
    EXPECT_EQ(languageFiles(folder.path()),
              QStringList({"speak_English.txt", "Speak_italian.txt", "Speak_Zulu.TXT"}));

    test::TempFolder many;
    for (int i = 0; i < 25; ++i)
        many.write(QStringLiteral("Languages/Speak_lang%1.txt").arg(i, 2, 10, QChar('0')), "x");
    const QStringList files = languageFiles(many.path());
    EXPECT_EQ(files.size(), 20);
    EXPECT_EQ(files.last(), QStringLiteral("Speak_lang19.txt"));

    test::TempFolder empty;
    EXPECT_TRUE(languageFiles(empty.path()).isEmpty());
    empty.remove("Languages");
    EXPECT_TRUE(languageFiles(empty.path()).isEmpty());
}

TEST(ImageList, HasEveryPictureTheCommandsUse)
{
    ImageList images;
    EXPECT_GE(images.count(), 133);
    // Keys below the flags never look like a language's first letters.
    for (int n = 105; n <= images.count(); ++n) {
        const QString key = images.key(n);
        EXPECT_FALSE(key.isEmpty()) << n;
        if (!key.startsWith(u'#'))
            EXPECT_EQ(key.at(2), u'-') << n;
    }
    EXPECT_EQ(images.key(107), QStringLiteral("#otherlanguage"));
}
