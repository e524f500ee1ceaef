// Feeds arbitrary bytes to the reader of the places where pages were left
// being read: never more pages than are kept, none twice, every sentence
// number usable, and what is written for them reads back the same.
#include "config/ReadingPlaces.h"

#include "FuzzFile.h"

#include <QSet>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Data");
    fuzz::writeInput(folder + QLatin1Char('/') + kPlacesFile, data, size);
    const QList<ReadingPlace> places = readReadingPlaces(folder);
    if (places.size() > kMaxPlaces)
        std::abort();
    QSet<QString> addresses;
    for (const ReadingPlace &place : places) {
        if (place.address.isEmpty() || place.sentence < 0 || addresses.contains(place.address))
            std::abort();
        addresses.insert(place.address);
    }
    saveReadingPlaces(folder, places);
    const QList<ReadingPlace> again = readReadingPlaces(folder);
    if (again.size() != places.size())
        std::abort();
    for (qsizetype i = 0; i < places.size(); ++i)
        if (again[i].address != places[i].address || again[i].sentence != places[i].sentence ||
            again[i].text != places[i].text)
            std::abort();
    return 0;
}
