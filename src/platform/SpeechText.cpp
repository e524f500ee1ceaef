#include "platform/SpeechEngine.h"

namespace lorva {

namespace {

bool separates(char32_t c) { return c == U'|' || QChar::isSpace(c); }

} // namespace

int wordIndexAt(const QString &text, int position)
{
    int index = -1;
    bool inWord = false;
    int at = 0;
    for (const char32_t c : text.toUcs4()) {
        ++at;
        const bool word = !separates(c);
        if (word && !inWord)
            ++index;
        inWord = word;
        if (at >= position)
            return word ? qMax(index, 0) : index + 1;
    }
    return qMax(index, 0);
}

int wordCount(const QString &text)
{
    int count = 0;
    bool inWord = false;
    for (const char32_t c : text.toUcs4()) {
        const bool word = !separates(c);
        if (word && !inWord)
            ++count;
        inWord = word;
    }
    return count;
}

} // namespace lorva
