#include "config/Pronunciation.h"

#include "config/LegacyText.h"

#include <QHash>

#include <algorithm>

namespace lorva {

namespace {

const QString kSaidExactly = QStringLiteral("==");
const QString kSaid = QStringLiteral("=");

bool isControl(QChar c) { return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F; }

// As the synthesiser counts words: "|" is read as a space.
bool separates(QChar c) { return c == u'|' || c.isSpace(); }

// Characters that go on a word: where two meet, no word ends between them.
bool continuesWord(QChar c) { return c.isLetterOrNumber() || c.isMark(); }

bool endsWordAt(QStringView text, qsizetype at)
{
    return at <= 0 || at >= text.size() || !continuesWord(text[at - 1]) || !continuesWord(text[at]);
}

} // namespace

PronunciationFile parsePronunciation(const QStringList &lines)
{
    PronunciationFile file;
    // The line of each written word so far, apart for the two marks.
    QHash<QString, int> exactly, anyCase;
    for (int k = 0; k < lines.size(); ++k) {
        const int number = k + 1;
        const QString &line = lines[k];
        if (number > kMaxPronunciationLines) {
            file.damaged.append({number, line, PronunciationDamage::TooManyLines});
            break;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';'))
            continue;
        if (std::any_of(line.cbegin(), line.cend(), isControl)) {
            file.damaged.append({number, line, PronunciationDamage::ControlCharacter});
            continue;
        }
        qsizetype gap = 0;
        while (gap < trimmed.size() && !trimmed[gap].isSpace())
            ++gap;
        const QString written = trimmed.left(gap);
        const QString rest = trimmed.mid(gap).trimmed();
        const bool matchCase = rest.startsWith(kSaidExactly);
        const qsizetype markSize = matchCase ? kSaidExactly.size() : kSaid.size();
        if (!rest.startsWith(kSaid) || (rest.size() > markSize && !rest[markSize].isSpace())) {
            file.damaged.append({number, line, PronunciationDamage::NoMark});
            continue;
        }
        const QString said = rest.mid(markSize).trimmed();
        if (said.isEmpty()) {
            file.damaged.append({number, line, PronunciationDamage::NothingSaid});
            continue;
        }
        QHash<QString, int> &seen = matchCase ? exactly : anyCase;
        const QString key = matchCase ? written : written.toCaseFolded();
        if (const auto earlier = seen.constFind(key); earlier != seen.cend()) {
            file.damaged.append({number, line, PronunciationDamage::Repeated, *earlier});
            continue;
        }
        seen.insert(key, number);
        file.entries.append({written, said, matchCase});
    }
    return file;
}

QString pronunciationLine(const PronunciationEntry &entry)
{
    return entry.written.trimmed() + u' ' + (entry.matchCase ? kSaidExactly : kSaid) + u' ' + entry.said.simplified();
}

QStringList pronunciationLines(const PronunciationList &entries)
{
    QStringList lines = {
        QStringLiteral("; LorvaSpeak pronunciation list: one word a line, as it is written, then what is said."),
        QStringLiteral("; \"SQL = sequel\" matches the word in any case, \"Qt == cute\" only in exactly that case."),
        QStringLiteral("; Whole words only. Lines that begin with \";\" are notes."),
    };
    for (const PronunciationEntry &e : entries)
        lines << pronunciationLine(e);
    return lines;
}

PronunciationFile readPronunciation(const QString &programFolder)
{
    // One line past the most that count, to tell that the file goes on.
    const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kPronunciationFile),
                                             kMaxPronunciationLines + 1);
    return lines ? parsePronunciation(*lines) : PronunciationFile();
}

void savePronunciation(const QString &programFolder, const PronunciationList &entries)
{
    legacy::writeTextLines(legacy::resolvePath(programFolder, kPronunciationFile), pronunciationLines(entries),
                           QStringLiteral("Save_Pronunciation"));
}

Pronounced applyPronunciation(const QString &text, const PronunciationList &entries)
{
    // The entries that could begin at a character, by that character folded:
    // those that match case first, each group in the list's order.
    QHash<char32_t, QList<const PronunciationEntry *>> byFirst;
    for (const bool matchCase : {true, false}) {
        for (const PronunciationEntry &e : entries) {
            if (e.matchCase == matchCase && !e.written.isEmpty())
                byFirst[e.written[0].toCaseFolded().unicode()].append(&e);
        }
    }
    Pronounced out;
    out.text.reserve(text.size());
    int word = -1;
    for (qsizetype i = 0; i < text.size();) {
        if (separates(text[i])) {
            out.text += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !separates(text[end]))
            ++end;
        ++word;
        const QStringView token = QStringView(text).mid(i, end - i);
        QString said;
        for (qsizetype p = 0; p < token.size();) {
            const PronunciationEntry *found = nullptr;
            if (endsWordAt(token, p)) {
                for (const PronunciationEntry *e : byFirst.value(token[p].toCaseFolded().unicode())) {
                    const qsizetype size = e->written.size();
                    if (p + size <= token.size() &&
                        token.mid(p, size).compare(e->written, e->matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0 &&
                        endsWordAt(token, p + size)) {
                        found = e;
                        break;
                    }
                }
            }
            if (found) {
                said += found->said;
                p += found->written.size();
            } else {
                said += token[p++];
            }
        }
        // Every word said in place of this one leads back to it.
        bool inWord = false;
        for (const QChar c : std::as_const(said)) {
            if (!separates(c) && !inWord)
                out.writtenWord.append(word);
            inWord = !separates(c);
        }
        out.text += said;
        i = end;
    }
    return out;
}

} // namespace lorva
