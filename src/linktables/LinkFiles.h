#pragma once

#include "linktables/LinkGroups.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lorva {

// The three digits of a group's file name: 7 gives "007", 104 gives "104".
QString groupDigits(int group);
// The group file of `group`, found without regard to case in the Links folder.
QString TableFile(const QString &programFolder, int group);
// The title file Links.Bok.
QString titleFile(const QString &programFolder);

// Sets LinksStem, writes the title file with 150 default lines when there is
// none (each " <i>" + caption34 + ",0"), and reads it into GroupTitles.
// Throws AppError when the missing file cannot be made.
void Read_Links(const QString &programFolder, LinkGroups &links, const QString &caption34);

// Gives every entry of 1 to 150 whose count is 0 its numbered default title.
void Default_Titles(LinkGroups &links, const QString &caption34);

// Rewrites the whole title file from GroupTitles (lines 1 to 150). Throws
// AppError when it cannot; the old file then stays whole.
void writeTitleFile(const QString &programFolder, const LinkGroups &links);

// Replaces a group file (at `groupFile`, with `groupLines`) and the title file
// as one change. The two new files are written beside the old ones, then a
// small note naming them marks the change as made, and only then do they
// take the old ones' places. Killed at any moment, the program leaves either
// both old files, or the note from which recoverLinkSaves finishes the
// change. Throws AppError when a file cannot be written; the old pair then
// stays as it was.
void writeGroupAndTitles(const QString &programFolder, const QString &groupFile, const QStringList &groupLines,
                         const LinkGroups &links);

// Finishes a change of a group and the title file that a kill interrupted
// after it was made, forgets one that was not, and removes what such a kill
// leaves in the Links folder (new files not yet in place, temporary files).
// Read_Links calls it first.
void recoverLinkSaves(const QString &programFolder);

// The count of an entry read with the leading-number rule, as a count of
// rows: never below 0 nor above 32767, whatever the file holds.
int linkCountOf(const GroupTitle &entry);

// Text made safe for the files, which have no escapes: no line breaks
// anywhere, no "," in a group title, no ";-;" inside a link field (an
// address keeps its meaning by the escape of the ";").
QString groupTitleText(const QString &text);
QString linkFieldText(const QString &text);
QString linkAddressText(const QString &text);

// One link of a group file, fields 1 to 6 as the file holds them; empty
// when the line has fewer than six fields.
struct LinkLine
{
    QString fields[6];
    bool valid = false;
};
LinkLine parseLinkLine(const QString &line);
QString formatLinkLine(const QString (&fields)[6]);

} // namespace lorva
