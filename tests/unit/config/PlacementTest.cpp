#include "config/AppError.h"
#include "config/Placement.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;
using lorva::test::TempFolder;

namespace {

constexpr int kScreenW = 19200;
constexpr int kScreenH = 12000;

Placement read(const TempFolder &folder, Placement place = {})
{
    Read_Place(folder.path(), place, kScreenW, kScreenH);
    return place;
}

} // namespace

TEST(Placement, MissingOrTooSmallValuesGiveTheScreen)
{
    TempFolder folder;
    Placement p = read(folder);
    EXPECT_EQ(p.PlaceTop, 0);
    EXPECT_EQ(p.PlaceHeight, kScreenH);
    EXPECT_EQ(p.PlaceWidth, kScreenW);
    EXPECT_TRUE(p.table.neverPlaced());
    EXPECT_EQ(p.PlaceState, 0);

    folder.write("Data/Lorvaspeak.Ini", crlf({" -30 ", " 45.5 ", " 1500 ", " 2500 "}));
    p = read(folder);
    EXPECT_EQ(p.PlaceTop, 0);
    EXPECT_EQ(p.PlaceLeft, 46); // halves go to the even neighbour
    EXPECT_EQ(p.PlaceHeight, kScreenH);
    EXPECT_EQ(p.PlaceWidth, kScreenW);
    // A four-line file: every later line repeats line 4.
    EXPECT_EQ(p.table.top, 2500);
    EXPECT_EQ(p.editor.width, 2500);
    EXPECT_EQ(p.PlaceState, 2500);
}

TEST(Placement, SaveKeepsItsBoundsAndWritesTheHeldValuesBack)
{
    TempFolder folder;
    folder.write("Data/Lorvaspeak.Ini",
                 crlf({"100", "200", "9000", "12000", "1500.25", "2400", "9000", "14400", "3750", "5700", "4500",
                       "7800", "2"}));
    Placement p = read(folder);
    EXPECT_EQ(p.PlaceState, 2);
    EXPECT_EQ(p.table.top, 1500.25);
    Save_Place(folder.path(), p, -45, 30, 900, 1500);
    EXPECT_EQ(folder.read("Data/Lorvaspeak.Ini"),
              crlf({" 0 ", " 30 ", " 1000 ", " 2000 ", " 1500.25 ", " 2400 ", " 9000 ", " 14400 ", " 3750 ",
                    " 5700 ", " 4500 ", " 7800 ", " 2 "}));
    // A main window stored 2000 wide starts as wide as the screen.
    EXPECT_EQ(read(folder).PlaceWidth, kScreenW);

    // An editor moved since the start is put back by the re-read that the
    // link-table window's opening does: the file holds the last exit's place.
    p.editor.top = 1;
    p = read(folder, p);
    EXPECT_EQ(p.editor.top, 3750);
}

TEST(Placement, AValueTooLargeForSixteenBitsKeepsTheOldOneAndAFailedSaveIsReported)
{
    TempFolder folder;
    folder.write("Data/Lorvaspeak.Ini", crlf({"99999", "1e9", "5000", "6000"}));
    Placement before;
    before.PlaceTop = 77;
    const Placement p = read(folder, before);
    EXPECT_EQ(p.PlaceTop, 77);
    EXPECT_EQ(p.PlaceHeight, 5000);

    folder.remove("Data");
    EXPECT_THROW(Save_Place(folder.path(), p, 0, 0, 5000, 6000), AppError);
}
