#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
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
    EXPECT_EQ(b.bars.bar(keys::Standard0),
              QStringList({keys::Exit0, keys::Sep13, keys::Back, keys::Next, keys::Sep10, keys::Print, keys::Favorite, keys::Brevonta, keys::Sep11, keys::Edit,
                           keys::Save, keys::File, keys::Lang, keys::Sep4, keys::Tts, keys::Speak, keys::Sep5, keys::Navigate}));
    EXPECT_EQ(b.bars.bar(keys::Save),
              QStringList({keys::SaveHtml, keys::SaveWordH, keys::SaveWordV, keys::SaveExcel, keys::SavePpt, keys::SavePdf}));
    EXPECT_EQ(b.bars.bar(keys::Edit),
              QStringList({keys::EditStop, keys::EditCancelDownload, keys::EditTxt, keys::EditTxtSeparator, keys::EditCut, keys::EditCopy, keys::EditPaste,
                           keys::EditDelete, keys::EditSelect, keys::EditSelectSeparator, keys::EditPageSet, keys::EditPreview,
                           keys::EditPrint, keys::EditProperties, keys::EditFindDoc, keys::EditViewSeparator, keys::EditView,
                           keys::EditPicture, keys::EditTrans, keys::EditExitSeparator, keys::EditExit}));
    EXPECT_EQ(b.bars.bar(keys::File),
              QStringList({keys::FileStyleSeparator, keys::FileSystem, keys::FileOffice, keys::FileXp, keys::FileMoney,
                           keys::FileFloatingSeparator, keys::FileFloating, keys::FileFishSeparator, keys::FileExplorer,
                           keys::FileSecurity, keys::FileVolume, keys::FileInternet, keys::FileInternetSeparator,
                           keys::FileBrevonta, keys::FileHelp}));
    EXPECT_EQ(b.bars.bar(keys::Navigate),
              QStringList({keys::NavigatePick, keys::NavigateGo, keys::NavigateGoSeparator, keys::NavigateBack,
                           keys::NavigateRefresh, keys::NavigateNext, keys::NavigateHomeSeparator, keys::NavigatePickHome,
                           keys::NavigateHome}));
    EXPECT_EQ(b.bars.bar(keys::Tts),
              QStringList({keys::SpeakTre, keys::SpeakSei, keys::SpeakDodici, keys::SpeakStopSeparator, keys::SpeakStop,
                           keys::SpeakPause, keys::SpeakRead, keys::SpeakPrev, keys::SpeakNext, keys::SpeakLogSeparator, keys::SpeakLog, keys::SpeakSave, keys::SpeakPronunciation, keys::SpeakCode, keys::SpeakPictures, keys::SpeakVoicesSeparator, keys::SpeakAuto, keys::SpeakVoicesSeparator, keys::voice(1),
                           keys::voice(2), keys::voice(3), keys::voice(4), keys::voice(5)}));
    EXPECT_EQ(b.bars.bar(keys::Lang), QStringList({keys::language("english"), keys::language("italian"), keys::LangNew}));
    EXPECT_EQ(b.bars.bar(keys::Standard1), QStringList({keys::Nil4}));
    EXPECT_EQ(b.bars.bar(keys::Standard2),
              QStringList({keys::Google, keys::Social, keys::Ebay, keys::Wiki, keys::Map, keys::Sep14, keys::Min, keys::Exit2}));
    EXPECT_TRUE(b.bars.hasBar(keys::Tools));
    EXPECT_TRUE(b.bars.bar(keys::Tools).isEmpty());

    // Menus hang below their titles; "TOOLS" is never hung.
    for (const QString &title : {keys::Save, keys::Edit, keys::File, keys::Navigate, keys::Tts, keys::Lang}) {
        EXPECT_EQ(b.bars.entry(title)->bar, title) << qPrintable(title);
        EXPECT_TRUE(b.bars.entry(title)->dropDown) << qPrintable(title);
    }
    EXPECT_TRUE(b.bars.entry(keys::Tools)->bar.isEmpty());
    EXPECT_TRUE(b.bars.entry(keys::Search)->dropDown);
    EXPECT_FALSE(b.bars.entry(keys::Back)->dropDown);
}

TEST(MakeMenus, EntriesHaveTheirImagesStylesAndFirstTexts)
{
    Built b({}, {});
    const QStringList keys = b.bars.keys();
    EXPECT_EQ(keys.mid(0, 6), QStringList({keys::Exit0, keys::Exit2, keys::Exit5, keys::Exit6, keys::File, keys::Back}));
    EXPECT_EQ(b.bars.entry(keys::File)->image, 81);
    EXPECT_EQ(b.bars.entry(keys::Navigate)->image, 73);
    EXPECT_EQ(b.bars.entry(keys::FileFloating)->style, StyleCheck);
    EXPECT_EQ(b.bars.entry(keys::FileXp)->style, StyleOption);
    EXPECT_EQ(b.bars.entry(keys::FileXp)->image, 75);
    EXPECT_EQ(b.bars.entry(keys::EditFindSeparator)->style, StyleSeparator);
    EXPECT_EQ(b.bars.entry(keys::Sep16)->style, StyleSeparator);
    EXPECT_EQ(b.bars.entry(keys::Min)->image, 22);
    EXPECT_EQ(b.bars.entry(keys::Ebay)->image, 125);
    for (const QString &key : {keys::Brevonta, keys::Wiki, keys::Map, keys::Social, keys::Ebay})
        EXPECT_EQ(b.bars.entry(key)->tooltip, QStringLiteral("\"")) << qPrintable(key);
    EXPECT_EQ(b.bars.entry(keys::Exit0)->tooltip, QString());
    EXPECT_EQ(b.bars.entry(keys::Nil4)->style, StylePanel);
    EXPECT_EQ(b.bars.entry(keys::Nil4)->panelWidth, 6000);
    EXPECT_EQ(b.bars.entry(keys::Move2)->panelWidth, 12);
    // No language file: the menu holds only the entry that makes one.
    EXPECT_EQ(b.bars.bar(keys::Lang), QStringList({keys::LangNew}));
    EXPECT_TRUE(b.bars.bar(keys::Tts).isEmpty());
}

TEST(MakeMenus, LanguageEntries)
{
    Built b({"Speak_english.txt", "Speak_english2.txt", "Speak_italian.txt", "Speak_new world.txt",
             "Speak_klingon.txt"},
            {});
    const CommandEntry *english = b.bars.entry(keys::language("english"));
    ASSERT_TRUE(english);
    EXPECT_EQ(english->caption, QStringLiteral("English"));
    EXPECT_EQ(english->tooltip, QStringLiteral("Speak_english.txt"));
    EXPECT_EQ(english->style, StyleOption);
    EXPECT_EQ(b.bars.entry(keys::language("new world"))->caption, QStringLiteral("New World"));
    // Names sharing their first two letters share a flag; unknown ones get 106.
    EXPECT_EQ(b.bars.entry(keys::language("english2"))->image, english->image);
    EXPECT_EQ(b.images.key(english->image + 1).left(2), QStringLiteral("en"));
    EXPECT_EQ(b.images.key(b.bars.entry(keys::language("italian"))->image + 1).left(2), QStringLiteral("it"));
    EXPECT_NE(b.bars.entry(keys::language("italian"))->image, english->image);
    EXPECT_EQ(b.bars.entry(keys::language("klingon"))->image, 106);
    EXPECT_EQ(b.tables.LanguageCount, 5);
}

TEST(MakeMenus, VoiceEntriesCycleTheirImages)
{
    Built b({}, kFiveVoices);
    const int expected[] = {34, 35, 36, 33, 34};
    for (int n = 1; n <= 5; ++n) {
        const CommandEntry *e = b.bars.entry(keys::voice(n));
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
