#pragma once

#include <QList>
#include <QString>

namespace lorva {

// Where the reading of a page stopped: its address, the sentence reached
// (counted from 0) and the beginning of that sentence's text, by which a
// page that changed a little is still found at the right place.
struct ReadingPlace
{
    QString address;
    int sentence = 0;
    QString text;
};

inline const QString kPlacesFile = QStringLiteral("Data/Places.txt");
// Pages kept; the one read longest ago goes first.
inline constexpr int kMaxPlaces = 300;
// Characters of the sentence kept to recognise it.
inline constexpr int kPlaceTextLength = 120;

// Reads the file: one "address<TAB>sentence<TAB>text" a line, oldest first.
// A line that is not one is passed over; a missing file is no place at all.
QList<ReadingPlace> readReadingPlaces(const QString &programFolder);
// Writes the file whole, atomically. Throws AppError when it cannot.
void saveReadingPlaces(const QString &programFolder, const QList<ReadingPlace> &places);

// Keeps `place` as its page's newest, dropping the oldest pages past the limit.
void keepReadingPlace(QList<ReadingPlace> &places, ReadingPlace place);
// The page's place, if one is kept; nullptr when none.
const ReadingPlace *readingPlaceOf(const QList<ReadingPlace> &places, const QString &address);
void forgetReadingPlace(QList<ReadingPlace> &places, const QString &address);

// The text of a sentence as a place keeps it: its spaces made single, cut short.
QString placeText(const QString &sentence);
// The sentence of `sentences` where the reading goes on from `place`: its
// own when its text is still there, else the nearest one with that text,
// else 0 (the top: the page changed too much).
int resumeSentence(const QStringList &sentences, const ReadingPlace &place);

} // namespace lorva
