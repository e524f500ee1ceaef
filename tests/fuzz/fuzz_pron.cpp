// Feeds arbitrary bytes to the pronunciation list reader through a real
// file: every entry read has a written word without white space and
// something to say, the list written for those entries reads back the
// same with nothing damaged, and applying it to the input's own text gives
// each said word a written word that exists.
#include "config/LegacyText.h"
#include "config/Pronunciation.h"
#include "platform/SpeechEngine.h"

#include "FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Data");
    fuzz::writeInput(folder + QLatin1Char('/') + kPronunciationFile, data, size);
    const PronunciationFile file = readPronunciation(folder);
    for (const PronunciationEntry &entry : file.entries) {
        if (entry.written.isEmpty() || entry.said.trimmed().isEmpty())
            std::abort();
        for (const QChar c : entry.written)
            if (c.isSpace())
                std::abort();
    }
    savePronunciation(folder, file.entries);
    const PronunciationFile again = readPronunciation(folder);
    if (again.entries != file.entries || !again.damaged.isEmpty())
        std::abort();

    const QString text = legacy::decodeText(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const Pronounced said = applyPronunciation(text, file.entries);
    const int written = wordCount(text);
    if (said.writtenWord.size() != wordCount(said.text))
        std::abort();
    for (const int w : said.writtenWord)
        if (w < 0 || w >= written)
            std::abort();
    return 0;
}
