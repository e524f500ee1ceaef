// Feeds arbitrary bytes to the bookmark reader through a real file: the
// bookmark is the file's first line, decoded on its own bytes, nothing when
// the file has no line; storing it and reading again gives it back.
#include "addresses/Bookmark.h"
#include "config/LegacyText.h"

#include "FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Data");
    fuzz::writeInput(folder + "/Data/LorvaBook.bm", data, size);
    const std::optional<QString> bookmark = Read_BookMark(folder);

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList first = legacy::splitLines(legacy::decodeText(fuzz::firstLines(bytes, 1)));
    if (first.isEmpty() ? bookmark.has_value() : bookmark != first[0])
        std::abort();
    if (!bookmark)
        return 0;

    Save_BookMark(folder, *bookmark);
    if (Read_BookMark(folder) != bookmark)
        std::abort();
    return 0;
}
