#include "config/ReadingPlaces.h"

#include "config/LegacyText.h"

#include <QStringList>

#include <algorithm>

namespace lorva {

namespace {

bool isAddress(QStringView address)
{
    if (address.isEmpty())
        return false;
    for (const QChar c : address) {
        if (c.isSpace() || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace

QString placeText(const QString &sentence)
{
    // A tab or a line end inside would break the line apart.
    return sentence.simplified().left(kPlaceTextLength).trimmed();
}

QList<ReadingPlace> readReadingPlaces(const QString &programFolder)
{
    QList<ReadingPlace> places;
    const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kPlacesFile));
    if (!lines)
        return places;
    for (const QString &line : *lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            continue;
        bool number = !fields[1].isEmpty() && fields[1].size() <= 7;
        for (const QChar c : fields[1])
            number = number && c >= u'0' && c <= u'9';
        const QString text = placeText(fields[2]);
        if (!isAddress(fields[0]) || !number || text.isEmpty())
            continue;
        keepReadingPlace(places, {fields[0], fields[1].toInt(), text});
    }
    return places;
}

void saveReadingPlaces(const QString &programFolder, const QList<ReadingPlace> &places)
{
    QStringList lines;
    for (const ReadingPlace &place : places) {
        if (isAddress(place.address) && place.sentence >= 0)
            lines << place.address + u'\t' + QString::number(place.sentence) + u'\t' + placeText(place.text);
    }
    legacy::writeTextLines(legacy::resolvePath(programFolder, kPlacesFile), lines, QStringLiteral("Save_Places"));
}

void keepReadingPlace(QList<ReadingPlace> &places, ReadingPlace place)
{
    forgetReadingPlace(places, place.address);
    place.text = placeText(place.text);
    places.append(std::move(place));
    while (places.size() > kMaxPlaces)
        places.removeFirst();
}

const ReadingPlace *readingPlaceOf(const QList<ReadingPlace> &places, const QString &address)
{
    for (const ReadingPlace &place : places) {
        if (place.address == address)
            return &place;
    }
    return nullptr;
}

void forgetReadingPlace(QList<ReadingPlace> &places, const QString &address)
{
    places.removeIf([&](const ReadingPlace &place) { return place.address == address; });
}

int resumeSentence(const QStringList &sentences, const ReadingPlace &place)
{
    const int count = int(sentences.size());
    // Outwards from where it was: a sentence added or taken away above moves it a little.
    for (int distance = 0; distance <= std::max(place.sentence, count); ++distance) {
        for (const int i : {place.sentence - distance, place.sentence + distance}) {
            if (i >= 0 && i < count && placeText(sentences[i]) == place.text)
                return i;
        }
    }
    return 0;
}

} // namespace lorva
