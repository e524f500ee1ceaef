// Feeds arbitrary bytes to the language-file reader as a file would reach it.
#include "config/Language.h"
#include "config/LegacyText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    lorva::Language language;
    const int tabs = lorva::applyLanguageLines(lorva::legacy::splitLines(lorva::legacy::decodeText(bytes)), language);
    // No tab count outside 0 (none given) and 1..20; position 0 never filled.
    if (tabs < 0 || tabs > lorva::kMaxTabs || !language.Captions[0].isEmpty())
        std::abort();
    return 0;
}
