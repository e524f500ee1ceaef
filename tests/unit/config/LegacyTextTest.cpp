#include "config/AppError.h"
#include "config/LegacyText.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

using namespace lorva;
using namespace lorva::legacy;

namespace {

// Bytes this process has read from files so far.
qint64 bytesRead()
{
    QFile io("/proc/self/io");
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

TEST(LeadingNumber, ReadsTheLongestDecimalPrefix)
{
    const struct
    {
        const char *text;
        double expected;
    } cases[] = {
        {"3abc", 3},        {"  -2.5e1x", -25}, {"abc", 0},    {"", 0},      {".5", 0.5},
        {"1e", 1},          {"1e+", 1},         {"+7", 7},     {"- 5", 0},   {"1.2.3", 1.2},
        {"007", 7},         {"2E-2", 0.02},     {"-.25", -.25}, {".", 0},     {" 1 ", 1},
        {"12 34", 12},      {"1,5", 1},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(LeadingNumber, SkipsOnlySpacesAndIgnoresTheLocale)
{
    EXPECT_EQ(leadingNumber(u"\t5"), 0);
    EXPECT_TRUE(std::isinf(leadingNumber(u"1e400")));
    // The decimal point stays a point under a locale that writes commas.
    const QByteArray before = setlocale(LC_NUMERIC, nullptr);
    if (setlocale(LC_NUMERIC, "it_IT.UTF-8") || setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        EXPECT_DOUBLE_EQ(leadingNumber(u"2.5"), 2.5);
    setlocale(LC_NUMERIC, before.constData());
}

TEST(ToInt16, RoundsHalvesToEvenAndChecksTheRange)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(2.6), 3);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768); // rounds to the even -32768, which fits
    EXPECT_FALSE(toInt16(32767.5));        // rounds to 32768
    EXPECT_FALSE(toInt16(-32769));
    EXPECT_FALSE(toInt16(1e10));
    EXPECT_FALSE(toInt16(INFINITY));
    EXPECT_FALSE(toInt16(NAN));
}

TEST(PrintNumber, UsesTheRuntimePrintForm)
{
    EXPECT_EQ(printInt(1), QStringLiteral(" 1 "));
    EXPECT_EQ(printInt(0), QStringLiteral(" 0 "));
    EXPECT_EQ(printInt(-5), QStringLiteral("-5 "));
    EXPECT_EQ(printNumber(2.25), QStringLiteral(" 2.25 "));
    EXPECT_EQ(printNumber(0.5), QStringLiteral(" .5 "));
    EXPECT_EQ(printNumber(-0.5), QStringLiteral("-.5 "));
    EXPECT_EQ(printNumber(-0.0), QStringLiteral(" 0 "));
    EXPECT_EQ(printNumber(1e15), QStringLiteral(" 1E+15 "));
    EXPECT_EQ(printNumber(123456789012.5), QStringLiteral(" 123456789012.5 "));
    EXPECT_EQ(printSingle(1234567.8), QStringLiteral(" 1234568 "));
    EXPECT_EQ(printSingle(0.1), QStringLiteral(" .1 "));
    // What is printed reads back as the same value.
    for (double v : {0.5, -12.75, 1e15, 123456789012.5, 3.0})
        EXPECT_DOUBLE_EQ(leadingNumber(printNumber(v)), v);
}

TEST(TextRules, TrimSpacesLeavesTabs)
{
    EXPECT_EQ(trimSpaces(u"  a b  "), QStringLiteral("a b"));
    EXPECT_EQ(trimSpaces(u"\ta\t "), QStringLiteral("\ta\t"));
    EXPECT_EQ(trimSpaces(u"   "), QString());
}

TEST(TextRules, DecodesUtf8OrWindows1252)
{
    EXPECT_EQ(decodeText("caff\xC3\xA8"), QStringLiteral("caff\u00E8"));
    EXPECT_EQ(decodeText("\xEF\xBB\xBFHi"), QStringLiteral("Hi"));
    // Not valid UTF-8: a file made with the Western code page.
    EXPECT_EQ(decodeText("caff\xE8 \x80 \x93x\x94"), QStringLiteral("caff\u00E8 \u20AC \u201Cx\u201D"));
    // A byte-order mark is a mark in either case, never part of the text.
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" "caff\xE8"), QStringLiteral("caff\u00E8"));
}

TEST(TextRules, SplitsLinesAtEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitLines(""), QStringList());
    EXPECT_EQ(splitLines("\r\nx"), QStringList({"", "x"}));
}

TEST(TextFiles, WritesUtf8WithCrLfAndReadsItBack)
{
    test::TempFolder folder;
    writeTextLines(folder.file("Data/x.txt"), {"caff\u00E8", "", "end"}, "test");
    EXPECT_EQ(folder.read("Data/x.txt"), QByteArray("caff\xC3\xA8\r\n\r\nend\r\n"));
    EXPECT_EQ(readTextLines(folder.file("Data/x.txt")), QStringList({"caff\u00E8", "", "end"}));
    // Replaced whole, with no temporary file left beside it.
    writeTextLines(folder.file("Data/x.txt"), {"new"}, "test");
    EXPECT_EQ(folder.read("Data/x.txt"), QByteArray("new\r\n"));
    EXPECT_EQ(QDir(folder.file("Data")).entryList(QDir::Files), QStringList({"x.txt"}));
}

TEST(TextFiles, AFirstLineBeginningWithAMarkKeepsItThroughASaveAndARead)
{
    test::TempFolder folder;
    const QStringList lines{QStringLiteral("\uFEFFhttp://a.example/"), "b"};
    writeTextLines(folder.file("Data/x.txt"), lines, "test");
    EXPECT_EQ(readTextLines(folder.file("Data/x.txt")), lines);
}

TEST(TextFiles, AWriteThatFailsKeepsTheOldFileWholeAndIsReported)
{
    // The file size limit fails writes past 16 bytes as a full disk would.
    test::TempFolder folder;
    writeTextLines(folder.file("Data/x.txt"), {"old", "lines"}, "test");
    const QByteArray old = folder.read("Data/x.txt");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool reported = false;
    try {
        writeTextLines(folder.file("Data/x.txt"), {"a much longer line than the limit lets through"}, "Save_Opt");
    } catch (const AppError &error) {
        reported = error.source() == u"Save_Opt" && error.description().contains("x.txt");
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(reported) << "a failed write was taken for a success";
    EXPECT_EQ(folder.read("Data/x.txt"), old);
    EXPECT_EQ(QDir(folder.file("Data")).entryList(QDir::Files), QStringList({"x.txt"}));
}

TEST(TextFiles, WritingIntoAMissingFolderIsReportedWithThePath)
{
    test::TempFolder folder;
    try {
        writeTextLines(folder.file("Nowhere/x.txt"), {"a"}, "Save_Opt");
        FAIL() << "no failure reported";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.description().contains("Nowhere")) << qPrintable(error.description());
        EXPECT_EQ(error.source(), QStringLiteral("Save_Opt"));
        EXPECT_TRUE(error.message().contains(" Source : Save_Opt"));
    }
    EXPECT_FALSE(folder.exists("Nowhere"));
    EXPECT_FALSE(readTextLines(folder.file("Nowhere/x.txt")));
}

TEST(LineReaders, SplitAndDecodeAsTheWholeFileWouldWhereverEachReadEnds)
{
    test::TempFolder folder;
    const QString path = folder.file("Data/x.txt");
    // A mark, every kind of line end, a character cut by a bound of 6 bytes,
    // and a last line that is not UTF-8.
    const QByteArray bytes = "\xEF\xBB\xBFone\r\ntwo\n\rfour\r\r\nxxxxx\xC3\xA9yy\rcaf\xC3\xA9\n\xE8";
    folder.write("Data/x.txt", bytes);
    const QStringList whole = splitLines(decodeText(bytes));
    ASSERT_EQ(whole.size(), 8);
    for (const qsizetype readBytes : {1, 2, 3, 5, 64 * 1024}) {
        EXPECT_EQ(readTextLines(path, 100, 100, readBytes), whole) << readBytes;
        EXPECT_EQ(readLastTextLines(path, 100, 100, readBytes), whole) << readBytes;
        EXPECT_EQ(readLastTextLines(path, 2, 100, readBytes), whole.mid(6)) << readBytes;
        // Without the last line all is UTF-8, and the cut character is left out.
        EXPECT_EQ(readTextLines(path, 7, 6, readBytes),
                  QStringList({"one", "two", "", "four", "", "xxxxx", "caf\u00E9"}))
            << readBytes;
        // With it, Windows-1252, and the cut keeps 6 bytes.
        EXPECT_EQ(readLastTextLines(path, 3, 6, readBytes),
                  QStringList({"xxxxx\u00C3", "caf\u00C3\u00A9", "\u00E8"}))
            << readBytes;
    }
}

TEST(LineReaders, ReadOnlyTheLinesWantedAndOfALongLineOnlyTheBound)
{
    test::TempFolder folder;
    // 100 MB: a first line, a line of zeros (a sparse file) and two last lines.
    const QString path = folder.file("Data/big.txt");
    folder.write("Data/big.txt", "first\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.resize(100'000'000));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("\r\nlast1\rlast2\r\n");
    }
    qint64 before = bytesRead();
    EXPECT_EQ(readTextLines(path, 1), QStringList({"first"}));
    EXPECT_EQ(readLastTextLines(path, 2), QStringList({"last1", "last2"}));
    EXPECT_LT(bytesRead() - before, 1'000'000);
    const QString zeros(100, QChar(0));
    EXPECT_EQ(readTextLines(path, 3, 100), QStringList({"first", zeros, "last1"}));
    EXPECT_EQ(readLastTextLines(path, 4, 100), QStringList({"first", zeros, "last1", "last2"}));

    // No line end at all: one line, of which no more than the bound is read
    // when it is the only one wanted.
    folder.write("Data/zeros.txt", "");
    ASSERT_TRUE(QFile::resize(folder.file("Data/zeros.txt"), 100'000'000));
    before = bytesRead();
    EXPECT_EQ(readTextLines(folder.file("Data/zeros.txt"), 1, 100), QStringList({zeros}));
    EXPECT_LT(bytesRead() - before, 1'000'000);
    EXPECT_EQ(readTextLines(folder.file("Data/zeros.txt"), 30, 100), QStringList({zeros}));
    EXPECT_EQ(readLastTextLines(folder.file("Data/zeros.txt"), 30, 100), QStringList({zeros}));
}

TEST(ResolvePath, FindsNamesWithoutRegardToCase)
{
    test::TempFolder folder;
    folder.write("Data/lorvaspeak.Opt", "x");
    EXPECT_EQ(resolvePath(folder.path(), "data/LORVASPEAK.opt"), folder.file("Data/lorvaspeak.Opt"));
    EXPECT_EQ(resolvePath(folder.path(), "Data/lorvaspeak.Opt"), folder.file("Data/lorvaspeak.Opt"));
    // A missing name keeps the writer's spelling, below the folder found.
    EXPECT_EQ(resolvePath(folder.path(), "DATA/New.Hys"), folder.file("Data/New.Hys"));
    EXPECT_EQ(resolvePath(folder.path(), "Missing/Sub/a.txt"), folder.file("Missing/Sub/a.txt"));
    // Nothing climbs out of the folder.
    EXPECT_EQ(resolvePath(folder.path(), "Languages/Speak_x/../../outside.txt"),
              folder.file("Languages/Speak_x/outside.txt"));
    // An exact spelling wins over another case variant.
    folder.write("Data/LORVASPEAK.OPT", "y");
    EXPECT_EQ(resolvePath(folder.path(), "Data/LORVASPEAK.OPT"), folder.file("Data/LORVASPEAK.OPT"));
}
