#include "addresses/History.h"
#include "config/AppError.h"
#include "fakes/FakeMainWindow.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;
using lorva::test::FakeAddressList;

namespace {

QStringList numbered(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QStringLiteral("http://site%1.example/").arg(i);
    return out;
}

QByteArray fileOf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

} // namespace

TEST(HystSave, KeepsTheNewestThirtyWithoutEmptyItems)
{
    const struct
    {
        int count;
        int firstKept;
    } cases[] = {{45, 16}, {31, 2}, {30, 1}, {3, 1}};
    for (const auto &c : cases) {
        test::TempFolder folder;
        FakeAddressList list;
        list.items = numbered(1, c.count);
        Hyst_Save(folder.path(), list);
        EXPECT_EQ(folder.read("Data/lorvaspeak.Hys"), fileOf(numbered(c.firstKept, c.count))) << c.count;
    }

    test::TempFolder folder;
    FakeAddressList list;
    list.items = QStringList{"", "http://a.example/", "", "  "};
    Hyst_Save(folder.path(), list);
    EXPECT_EQ(folder.read("Data/lorvaspeak.Hys"), crlf({"http://a.example/", "  "}));
}

TEST(HystSave, AMissingDataFolderIsReported)
{
    test::TempFolder folder;
    folder.remove("Data");
    FakeAddressList list;
    EXPECT_THROW(Hyst_Save(folder.path(), list), AppError);
}

TEST(HystRead, AppendsEveryLineAndIgnoresAMissingFile)
{
    test::TempFolder folder;
    FakeAddressList list;
    Hyst_Read(folder.path(), list);
    EXPECT_TRUE(list.items.isEmpty());

    // The reader's spelling differs from the writer's only in case.
    folder.write("Data/lorvaspeak.hys", "http://a.example/\r\n\r\nhttp://a.example/\r\n");
    list.items = QStringList{"kept"};
    Hyst_Read(folder.path(), list);
    EXPECT_EQ(list.items, QStringList({"kept", "http://a.example/", "", "http://a.example/"}));
}

TEST(HystRead, AReadSaveCycleDropsEmptyLinesAndKeepsTheNewestThirty)
{
    test::TempFolder folder;
    QStringList lines = numbered(1, 35);
    lines.insert(34, "");
    folder.write("Data/lorvaspeak.Hys", fileOf(lines));
    FakeAddressList list;
    Hyst_Read(folder.path(), list);
    ASSERT_EQ(list.count(), 36);
    Hyst_Save(folder.path(), list);
    // The newest 30 items include the empty one, which is not written.
    EXPECT_EQ(folder.read("Data/lorvaspeak.Hys"), fileOf(numbered(7, 35)));
}

TEST(HystRead, ReadsOnlyTheNewestLinesAndASaveWritesWhatItWouldAfterReadingAll)
{
    test::TempFolder folder;
    folder.write("Data/lorvaspeak.Hys", fileOf(numbered(1, 100)));
    FakeAddressList list;
    Hyst_Read(folder.path(), list);
    EXPECT_EQ(list.items, numbered(41, 100));
    Hyst_Save(folder.path(), list);
    EXPECT_EQ(folder.read("Data/lorvaspeak.Hys"), fileOf(numbered(71, 100)));
}

TEST(HystAdd, AddsOnlyAddressesNotYetListed)
{
    FakeAddressList list;
    list.items = QStringList{"  http://a.example/  ", "http://b.example/"};

    list.boxText = " http://a.example/ ";
    Hyst_Add(list, "http://a.example/");
    EXPECT_EQ(list.count(), 2);

    list.boxText = "HTTP://B.EXAMPLE/";
    Hyst_Add(list, "HTTP://B.EXAMPLE/");
    EXPECT_EQ(list.items.last(), QStringLiteral("HTTP://B.EXAMPLE/"));

    list.boxText = "http://c.example/";
    Hyst_Add(list, "http://c.example/");
    EXPECT_EQ(list.count(), 4);
}
