// Feeds arbitrary bytes to the language editor's template (the English
// language file) through a real file: the template is the lines a language
// is read from, joined, and the editor's save of it, read again as the
// template, gives the same text but for a last empty line.
#include "commands/CommandKeys.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "platform/Dialogs.h"
#include "windows/SecondaryWindows.h"
#include "windows/WindowsState.h"

#include "FuzzFile.h"

#include <cstdlib>

namespace {

// Answers the name question with the template's own name.
struct NameDialogs : lorva::Dialogs
{
    void failure(const QString &, int) override { std::abort(); }
    void information(const QString &, const QString &) override {}
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("english");
    }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileNameAsking(const QString &, const QString &) override { return {}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    const QString &folder = fuzz::folder("Languages");
    fuzz::writeInput(folder + "/Languages/Speak_english.txt", data, size);
    const QString text = languageTemplate(folder);

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = fuzz::byteLines(bytes);
    QStringList expected = legacy::splitLines(legacy::decodeText(fuzz::firstLines(bytes, kLanguageLines)));
    bool cut = false;
    for (qsizetype i = 0; i < kLanguageLines && i < lines.size(); ++i)
        cut = cut || lines[i].size() > kLanguageLineBytes;
    if (cut ? text.count(u'\n') != expected.size() - 1 : text != expected.join(u'\n'))
        std::abort();

    Language language;
    WindowsState state;
    NameDialogs dialogs;
    LanguageEditorContext ctx{folder, language, state, dialogs, [&] { return text; }, [] {}, [] {}};
    languageEditorCommand(ctx, keys::Save5);
    QStringList kept = text.split(u'\n');
    if (kept.last().isEmpty())
        kept.removeLast();
    // A line that the save's UTF-8 makes longer than the bound reads back cut.
    for (const QString &line : kept) {
        if (line.toUtf8().size() > kLanguageLineBytes)
            return 0;
    }
    if (languageTemplate(folder) != kept.join(u'\n'))
        std::abort();
    return 0;
}
