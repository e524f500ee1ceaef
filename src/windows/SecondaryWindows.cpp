#include "windows/SecondaryWindows.h"

#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "platform/Dialogs.h"
#include "windows/WindowsState.h"

#include <QDir>

namespace lorva {

namespace {

constexpr int kSavedCaption = 108; // "Saved as "

} // namespace

QString languageTemplate(const QString &programFolder)
{
    const QString path = legacy::resolvePath(programFolder, QStringLiteral("Languages/Speak_english.txt"));
    // As much of the file as a language is read from.
    const std::optional<QStringList> lines = legacy::readTextLines(path, kLanguageLines, kLanguageLineBytes);
    if (!lines)
        throw AppError(QStringLiteral("Cannot read ") + QDir::toNativeSeparators(path), QStringLiteral("frmLang"));
    return lines->join(u'\n');
}

std::optional<QString> languageFileFor(const QString &programFolder, const QString &name)
{
    const QString plain = name.trimmed();
    if (!legacy::isPlainName(plain))
        return std::nullopt;
    // Names that a language file must be able to keep on any file system.
    for (const QChar c : plain) {
        if (QStringView(u"\\/:*?\"<>|").contains(c))
            return std::nullopt;
    }
    return legacy::resolvePath(programFolder, QStringLiteral("Languages/Speak_") + plain + QStringLiteral(".Txt"));
}

void languageEditorCommand(LanguageEditorContext &ctx, const QString &key)
{
    if (key == keys::Exit3) {
        if (ctx.state.languageChanged) {
            ctx.askQuestion();
            if (ctx.state.Answer != 1)
                return;
        }
        ctx.close();
    } else if (key == keys::Save5) {
        const std::optional<QString> name =
            ctx.dialogs.input(kProgramTitle, ctx.language.Captions[211], QString());
        if (!name || name->isEmpty())
            return;
        const std::optional<QString> path = languageFileFor(ctx.programFolder, *name);
        if (!path) {
            ctx.dialogs.failure(ctx.language.Captions[243] + legacy::printableName(*name));
            return;
        }
        QStringList lines = ctx.text().split(u'\n');
        for (QString &line : lines) {
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        try {
            legacy::writeTextLines(*path, lines, QStringLiteral("frmLang"));
        } catch (const AppError &error) {
            ctx.dialogs.failure(error.message());
            return;
        }
        if (ctx.saved)
            ctx.saved(*path);
        ctx.dialogs.information(kProgramTitle, ctx.language.Captions[kSavedCaption] + QDir::toNativeSeparators(*path));
    }
}

void questionCommand(WindowsState &state, const QString &key)
{
    if (key == keys::OkYes)
        state.Answer = 1;
    else if (key == keys::OkNo)
        state.Answer = 0;
}

QString aboutVersion(const Language &language, const QString &version)
{
    return language.Captions[198] + u' ' + version;
}

} // namespace lorva
