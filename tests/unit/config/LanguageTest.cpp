#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;

namespace {

Language apply(const QStringList &lines, Language language = {})
{
    applyLanguageLines(lines, language);
    return language;
}

} // namespace

TEST(LanguageCaptions, FillPositionsFromOneInFileOrder)
{
    const Language l = apply({"\"Exit\"", "[Section]", "; a comment", "\"\"", "   \"Forward\"   ",
                              "\"Trailing quote dropped whatever it is!", "\"", "\"Ends \"with\" quote\""});
    EXPECT_EQ(l.Captions[0], QString());
    EXPECT_EQ(l.Captions[1], QStringLiteral("Exit"));
    EXPECT_EQ(l.Captions[2], QString()); // "" still takes a position
    EXPECT_EQ(l.Captions[3], QStringLiteral("Forward"));
    EXPECT_EQ(l.Captions[4], QStringLiteral("Trailing quote dropped whatever it is"));
    EXPECT_EQ(l.Captions[5], QString()); // a lone quote: an empty caption
    EXPECT_EQ(l.Captions[6], QStringLiteral("Ends \"with\" quote"));
    EXPECT_EQ(l.Captions[7], QString());
}

TEST(LanguageCaptions, AreEmptiedOnEveryRead)
{
    Language l = apply({"\"One\"", "\"Two\""});
    l = apply({"\"Uno\""}, l);
    EXPECT_EQ(l.Captions[1], QStringLiteral("Uno"));
    EXPECT_EQ(l.Captions[2], QString());
}

TEST(LanguageCaptions, LinesBeyondTheLastPositionAreIgnored)
{
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QStringLiteral("\"c%1\"").arg(i);
    const Language l = apply(lines);
    EXPECT_EQ(l.Captions[kCaptionCount - 1], QStringLiteral("c%1").arg(kCaptionCount - 1));
    EXPECT_EQ(l.Captions.size(), size_t(kCaptionCount));
}

TEST(LanguageCaptions, PositionsAddedSinceAFileWasWrittenShowTheShippedEnglishText)
{
    Language english;
    Read_Language(QStringLiteral(LORVA_DATA_DIR), "english", english);
    ASSERT_GT(kCaptionCount, kFirstAddedCaption);
    QStringList older; // a file of before: positions 1 to 250 only
    for (int i = 1; i < kFirstAddedCaption; ++i)
        older << QStringLiteral("\"c%1\"").arg(i);
    const Language l = apply(older);
    EXPECT_EQ(l.Captions[kFirstAddedCaption - 1], QStringLiteral("c%1").arg(kFirstAddedCaption - 1));
    for (int i = kFirstAddedCaption; i < kCaptionCount; ++i) {
        EXPECT_FALSE(english.Captions[size_t(i)].isEmpty()) << i;
        EXPECT_EQ(l.Captions[size_t(i)], english.Captions[size_t(i)]) << i;
    }
    // A file that has a position keeps its own text there, even an empty one;
    // an old file's missing positions below 250 stay empty, as they were.
    older << QStringLiteral("\"\"");
    EXPECT_EQ(apply(older).Captions[kFirstAddedCaption], QString());
    EXPECT_EQ(apply({"\"one\""}).Captions[2], QString());
}

TEST(LanguageSettings, KeysAreUpperCasedButNotTrimmed)
{
    const Language l = apply({"start_page=http://a/", "   SEARCH_URL=http://s/?q=", "MAP_URL =http://ignored/",
                              "\tMAP_DESCR=ignored too", "SOCIAL_DESCR= spaced value", "UNKNOWN=x", "no equals sign"});
    EXPECT_EQ(l.StartPage, QStringLiteral("http://a/"));
    EXPECT_EQ(l.SearchUrl, QStringLiteral("http://s/?q="));
    EXPECT_EQ(l.MapUrl, QString());
    EXPECT_EQ(l.MapDescr, QString());
    EXPECT_EQ(l.SocialDescr, QStringLiteral(" spaced value"));
}

TEST(LanguageSettings, SpecialKeys)
{
    const Language l = apply({"LANG=  english ", "TAB_WIDTH=1500.5", "LOCK_ADVERTISING=no", "F2=http://two/",
                              "f12=http://twelve/", "F1=x", "F13=x", "FOO=x", "F 5=http://five/"});
    EXPECT_EQ(l.LangCode, QStringLiteral("eng"));
    EXPECT_EQ(l.TabWidth, 1500); // half to even
    EXPECT_EQ(l.LockAdvertising, 0);
    EXPECT_EQ(l.QuickUrls[2], QStringLiteral("http://two/"));
    EXPECT_EQ(l.QuickUrls[12], QStringLiteral("http://twelve/"));
    EXPECT_EQ(l.QuickUrls[5], QStringLiteral("http://five/")); // spaces before the number are skipped
    EXPECT_EQ(l.QuickUrls[1], QString());
    EXPECT_EQ(l.QuickUrls[0], QString());
    for (const char *value : {"LOCK_ADVERTISING=", "LOCK_ADVERTISING=yes"})
        EXPECT_EQ(apply({value}).LockAdvertising, 1) << value;
}

TEST(LanguageSettings, ValuesThatDoNotFitOrRepeatAreHandled)
{
    Language before;
    before.TabWidth = 4000;
    const Language l = apply({"TAB_WIDTH=99999", "F99999=x", "SEARCH_URL=first", "SEARCH_URL=second"}, before);
    EXPECT_EQ(l.TabWidth, 4000);
    EXPECT_EQ(l.SearchUrl, QStringLiteral("second"));
}

TEST(LanguageSettings, AKeyAbsentFromTheNewFileKeepsTheOldValue)
{
    Language l = apply({"SEARCH_URL=http://old/", "SEARCH_DESCR=Old"});
    l = apply({"SEARCH_DESCR=New"}, l);
    EXPECT_EQ(l.SearchUrl, QStringLiteral("http://old/"));
    EXPECT_EQ(l.SearchDescr, QStringLiteral("New"));
}

TEST(LanguageTabs, TheLastTabNumberGivesTheCount)
{
    Language l;
    EXPECT_EQ(applyLanguageLines({"TAB_NUMBER=3"}, l), 3);
    EXPECT_EQ(applyLanguageLines({"TAB_NUMBER=3", "TAB_NUMBER=2.5"}, l), 2);
    EXPECT_EQ(applyLanguageLines({"\"Exit\""}, l), 0); // none: the tabs stay as they are
}

TEST(LanguageTabs, AbsurdCountsAreKeptWithinOneToTwenty)
{
    const struct
    {
        const char *line;
        int count;
    } cases[] = {{"TAB_NUMBER=0", 1}, {"TAB_NUMBER=-5", 1}, {"TAB_NUMBER=abc", 1},
                 {"TAB_NUMBER=1000000", 20}, {"TAB_NUMBER=1e400", 20}, {"TAB_NUMBER=20.4", 20}};
    for (const auto &c : cases) {
        Language l;
        EXPECT_EQ(applyLanguageLines({c.line}, l), c.count) << c.line;
    }
}

TEST(ReadLanguage, AMissingFileIsReportedByNameAndChangesNothing)
{
    test::TempFolder folder;
    Language language;
    language.Captions[1] = "kept";
    try {
        Read_Language(folder.path(), "klingon", language);
        FAIL() << "no failure reported";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.description().contains("Speak_klingon.txt")) << qPrintable(error.description());
        EXPECT_EQ(error.source(), QStringLiteral("Read_Language"));
    }
    EXPECT_EQ(language.Captions[1], QStringLiteral("kept"));
}

TEST(ReadLanguage, ANameThatIsAPathIsRefusedAndNothingOutsideIsRead)
{
    test::TempFolder folder;
    folder.write("outside.txt", "\"OUTSIDE\"\n");
    folder.write("Languages/Speak_x/outside.txt", "\"INSIDE\"\n");
    folder.write("Languages/Speak_a.txt", "\"A\"\n");
    for (const QString &name : {QStringLiteral("x/../../outside"), QStringLiteral("x/outside"), QStringLiteral(".."),
                                QStringLiteral("a\\b"), QString::fromUtf16(u"a\0b", 3)}) {
        Language language;
        language.Captions[1] = "kept";
        try {
            Read_Language(folder.path(), name, language);
            ADD_FAILURE() << "accepted " << qPrintable(name);
        } catch (const AppError &error) {
            EXPECT_EQ(error.source(), QStringLiteral("Read_Language"));
            // The whole name is shown, control characters and all.
            EXPECT_FALSE(error.message().contains(QChar(0)));
            EXPECT_TRUE(error.message().endsWith(" Source : Read_Language")) << qPrintable(error.message());
        }
        EXPECT_EQ(language.Captions[1], QStringLiteral("kept")) << qPrintable(name);
    }
}

TEST(ReadLanguage, FindsTheFileWithoutRegardToCaseAndReadsOldCodePages)
{
    test::TempFolder folder;
    folder.write("Languages/SPEAK_English.TXT", "\"Caff\xE8\"\nSTART_PAGE=http://x/\n");
    Language language;
    Read_Language(folder.path(), "English", language);
    EXPECT_EQ(language.Captions[1], QStringLiteral("Caff\u00E8"));
    EXPECT_EQ(language.StartPage, QStringLiteral("http://x/"));
}

// The language files shipped with the program.
class ShippedLanguage : public ::testing::TestWithParam<const char *>
{
};

TEST_P(ShippedLanguage, HasEveryCaptionThePartsUseAndWorkingSettings)
{
    Language language;
    const int tabs = Read_Language(QStringLiteral(LORVA_DATA_DIR), QString::fromLatin1(GetParam()), language);

    const int used[] = {1,   2,   3,   18,  23,  32,  33,  34,  35,  38,  41,  42,  43,  60,  63,  64,  65,
                        66,  67,  68,  69,  73,  75,  76,  77,  78,  81,  82,  83,  84,  94,  95,  97,  101,
                        108, 120, 123, 124, 125, 126, 128, 129, 130, 131, 132, 134, 135, 137, 138, 145, 146,
                        147, 148, 149, 155, 157, 158, 159, 160, 161, 162, 164, 166, 169, 170, 172, 173, 174,
                        175, 176, 177, 179, 180, 189, 192, 194, 196, 197, 198, 199, 200, 202, 204, 205, 206,
                        209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222};
    for (int position : used)
        EXPECT_FALSE(language.Captions[position].trimmed().isEmpty()) << "caption " << position;
    EXPECT_TRUE(language.Captions[34].startsWith(u' '));
    EXPECT_TRUE(language.Captions[108].endsWith(u' '));

    EXPECT_EQ(tabs, 5);
    EXPECT_EQ(language.LangCode.size(), 3);
    EXPECT_GT(language.TabWidth, 1000);
    for (const QString *url : {&language.StartPage, &language.SearchUrl, &language.DictionaryUrl,
                               &language.MapUrl, &language.SocialUrl, &language.EcommerceUrl,
                               &language.TranslatorPath})
        EXPECT_TRUE(url->startsWith("https://")) << qPrintable(*url);
    for (const QString *descr : {&language.SearchDescr, &language.DictionaryDescr, &language.MapDescr,
                                 &language.SocialDescr, &language.EcommerceDescr})
        EXPECT_FALSE(descr->isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("english", "italian"));

TEST(ShippedLanguages, ItalianTranslatesTheEnglishCaptions)
{
    Language english;
    Language italian;
    Read_Language(QStringLiteral(LORVA_DATA_DIR), "english", english);
    Read_Language(QStringLiteral(LORVA_DATA_DIR), "italian", italian);
    int different = 0;
    for (int i = 1; i < kCaptionCount; ++i) {
        EXPECT_EQ(english.Captions[i].isEmpty(), italian.Captions[i].isEmpty()) << "caption " << i;
        different += english.Captions[i] != italian.Captions[i];
    }
    EXPECT_GT(different, 80);
}
