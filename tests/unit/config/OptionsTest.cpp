#include "config/AppError.h"
#include "config/Options.h"
#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;

TEST(ReadOpt, FirstRunWritesTheFiveLineDefaultFile)
{
    test::TempFolder folder;
    Options options;
    Read_Opt(folder.path(), options);

    EXPECT_EQ(folder.read("Data/lorvaspeak.Opt"),
              crlf({"1", "0", "0", "0", "lorvaspeak://start/"}));
    EXPECT_TRUE(options.createdDefaultFile);
    EXPECT_EQ(options.BarStyle, 1);
    EXPECT_EQ(options.FloatingBars, 0);
    EXPECT_EQ(options.HomePage, kDefaultHomePage);
    EXPECT_EQ(options.LanguageName, QStringLiteral("English"));
}

TEST(ReadOpt, ReadsLeadingNumbersAndWholeTextLines)
{
    test::TempFolder folder;
    folder.write("Data/lorvaspeak.Opt", crlf({"3abc", " 7 ", " 1 ", "-4", " http://a.b/?q=1 ", "italian"}));
    Options options;
    Read_Opt(folder.path(), options);
    EXPECT_FALSE(options.createdDefaultFile);
    EXPECT_EQ(options.BarStyle, 3);
    EXPECT_EQ(options.line2, 7);
    EXPECT_EQ(options.FloatingBars, 1);
    EXPECT_EQ(options.line4, -4);
    EXPECT_EQ(options.HomePage, QStringLiteral(" http://a.b/?q=1 "));
    EXPECT_EQ(options.LanguageName, QStringLiteral("italian"));
}

TEST(ReadOpt, ShortOrDamagedFilesKeepEarlierValues)
{
    test::TempFolder folder;
    folder.write("Data/lorvaspeak.Opt", "2\nxyz\n99999\n");
    Options options;
    options.FloatingBars = 1;
    options.line2 = 5;
    options.HomePage = "kept";
    options.LanguageName = "italian";
    Read_Opt(folder.path(), options);
    EXPECT_EQ(options.BarStyle, 2);
    EXPECT_EQ(options.line2, 0);        // no number gives 0
    EXPECT_EQ(options.FloatingBars, 1); // too large for 16 bits: unchanged
    EXPECT_EQ(options.HomePage, QStringLiteral("kept"));
    EXPECT_EQ(options.LanguageName, QStringLiteral("English")); // always reset before reading
}

TEST(ReadOpt, FindsTheFileWithoutRegardToCase)
{
    test::TempFolder folder;
    folder.write("Data/LORVASPEAK.OPT", crlf({"0", "0", "0", "0", "x", "italian"}));
    Options options;
    Read_Opt(folder.path(), options);
    EXPECT_EQ(options.LanguageName, QStringLiteral("italian"));
    EXPECT_FALSE(folder.exists("Data/lorvaspeak.Opt"));
}

TEST(ReadOpt, AFileThatCannotBeReadIsReportedNotReplaced)
{
    test::TempFolder folder;
    // A folder in place of the file: it exists, but cannot be read as one.
    QDir(folder.file("Data")).mkdir("lorvaspeak.Opt");
    Options options;
    EXPECT_THROW(Read_Opt(folder.path(), options), AppError);
    EXPECT_TRUE(QFileInfo(folder.file("Data/lorvaspeak.Opt")).isDir());
}

TEST(ReadOpt, AMissingDataFolderIsAFailure)
{
    test::TempFolder folder;
    folder.remove("Data");
    Options options;
    EXPECT_THROW(Read_Opt(folder.path(), options), AppError);
    EXPECT_FALSE(folder.exists("Data"));
}

TEST(SaveOpt, WritesSixLinesWithPrintedNumbers)
{
    test::TempFolder folder;
    Options options;
    options.BarStyle = 1;
    options.line4 = -3;
    options.HomePage = "http://example.org/";
    options.LanguageName = "italian";
    Save_Opt(folder.path(), options);
    EXPECT_EQ(folder.read("Data/lorvaspeak.Opt"),
              crlf({" 1 ", " 0 ", " 0 ", "-3 ", "http://example.org/", "italian"}));

    Options again;
    Read_Opt(folder.path(), again);
    EXPECT_EQ(again.line4, -3);
    EXPECT_EQ(again.HomePage, options.HomePage);
    EXPECT_EQ(again.LanguageName, options.LanguageName);
}

TEST(SaveOpt, KeepsCharactersBeyondTheWesternCodePage)
{
    test::TempFolder folder;
    Options options;
    options.HomePage = QStringLiteral("http://\u4F8B\u3048.jp/\u00E8");
    Save_Opt(folder.path(), options);
    Options again;
    Read_Opt(folder.path(), again);
    EXPECT_EQ(again.HomePage, options.HomePage);
}

TEST(SaveOpt, AMissingDataFolderIsReported)
{
    test::TempFolder folder;
    folder.remove("Data");
    EXPECT_THROW(Save_Opt(folder.path(), Options()), AppError);
}
