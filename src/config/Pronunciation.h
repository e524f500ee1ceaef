#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace lorva {

// How a word is said when it is not to be said as written: "SQL" as
// "sequel", "Qt" as "cute".
struct PronunciationEntry
{
    QString written; // one word, without white space
    QString said;    // one or more words
    bool matchCase = false;

    bool operator==(const PronunciationEntry &) const = default;
};
using PronunciationList = QList<PronunciationEntry>;

inline const QString kPronunciationFile = QStringLiteral("Data/lorvaspeak.Pron");
// The caption of the voices menu's entry that opens the list's editor, and
// of the editor's window.
inline constexpr int kPronunciationCaption = 265;

// Why a line of the file is not an entry.
enum class PronunciationDamage {
    NoMark,           // no " = " or " == " after the first word
    NothingSaid,      // nothing after the mark
    ControlCharacter, // bytes that are no text (a binary file)
    Repeated,         // the same written word, with the same mark, as an earlier line
    TooManyLines,     // the file goes on past the lines that are read
};

struct DamagedLine
{
    int line = 0; // counted from 1
    QString text;
    PronunciationDamage why = PronunciationDamage::NoMark;
    int sameAs = 0; // the earlier line of a Repeated one
};

struct PronunciationFile
{
    PronunciationList entries;
    QList<DamagedLine> damaged;
};

// The most lines of the file that are read; a longer file is cut there
// (and says so once, as a damaged line), whatever it holds.
inline constexpr int kMaxPronunciationLines = 4096;

// The lines of the file: "written = said" for any case, "written == said"
// for exactly that case; blank lines and lines that begin with ";" are
// notes. A line that is neither is damaged: reported, and left out.
PronunciationFile parsePronunciation(const QStringList &lines);
// The line of the file that holds `entry`.
QString pronunciationLine(const PronunciationEntry &entry);
// The file's lines for `entries`, after a few lines of notes on the form.
QStringList pronunciationLines(const PronunciationList &entries);
// The file below `programFolder`; none at all is an empty list.
PronunciationFile readPronunciation(const QString &programFolder);
// Rewrites the whole file atomically. Throws AppError when it cannot.
void savePronunciation(const QString &programFolder, const PronunciationList &entries);

// What the voice is given for `text`, and for each word of it (words
// counted as wordCount() counts them: runs of characters other than white
// space and "|") the index of the word of `text` it says.
struct Pronounced
{
    QString text;
    QList<int> writtenWord;
};
// Replaces every whole word of the list in `text`, punctuation around it
// kept: a word is whole where neither the character before it nor the one
// after it continues it (a letter, digit or mark against a letter, digit or
// mark). Entries that match case come before those that do not; among
// them, the first in the list.
Pronounced applyPronunciation(const QString &text, const PronunciationList &entries);

} // namespace lorva
