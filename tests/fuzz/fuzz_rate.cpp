// Feeds arbitrary bytes to the speech rate reader through a real file: the
// rate is the one the first line names when it names one of the three
// offered, the normal one otherwise, and the line a rate change writes for
// it reads back as the same rate.
#include "commands/CommandBars.h"
#include "config/LegacyText.h"
#include "speech/Speech.h"

#include "FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Data");
    const QString path = folder + "/Data/lorvaspeak.Rat";
    fuzz::writeInput(path, data, size);
    SpeechState speech;
    CommandBars commands;
    Read_Rate(folder, speech, commands);

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList first = legacy::splitLines(legacy::decodeText(fuzz::firstLines(bytes, 1)));
    const double named = first.isEmpty() ? 0 : legacy::leadingNumber(legacy::trimSpaces(first[0]));
    const int expected = named == kSlowRate || named == kFastRate ? int(named) : kNormalRate;
    if (speech.rate != expected)
        std::abort();

    legacy::writeTextLines(path, {legacy::printInt(speech.rate)}, QStringLiteral("Speech_Rate"));
    SpeechState again;
    Read_Rate(folder, again, commands);
    if (again.rate != speech.rate)
        std::abort();
    return 0;
}
