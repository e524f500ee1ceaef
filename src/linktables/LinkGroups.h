#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace lorva {

inline constexpr int kGroupCount = 105;     // 7 strips of 15 tabs
inline constexpr int kStrips = 7;
inline constexpr int kTabsPerStrip = 15;
inline constexpr int kTitleFileLines = 150; // entries carried by the title file
inline constexpr int kTitleEntries = 160;   // entries 1 to 160; 151 to 160 are never used

// One entry of the group titles: the title and the link count as text
// ("7", or " 7" right after a link was added).
struct GroupTitle
{
    QString title;
    QString count;
};

// The link groups of the link tables, and the link-table state that the
// link-table window and the link-row editor share for the whole run.
struct LinkGroups
{
    QString LinksStem;                                     // "<folder>/Links/Links."
    std::array<GroupTitle, kTitleEntries + 1> GroupTitles; // entry g + 1 belongs to group g

    QString EditedTitle;
    bool TitleEditOpen = false;
    bool TableChanged = false;
    qint16 EditRow = 0;
    bool TablesLoaded = false;
    // The secondary windows build their bars once per run.
    bool tableBarsBuilt = false;
    bool EditorBarBuilt = false;
};

} // namespace lorva
