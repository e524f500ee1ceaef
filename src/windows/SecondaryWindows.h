#pragma once

#include "config/Placement.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lorva {

class Dialogs;
struct Language;
struct WindowsState;

inline const QString kProgramTitle = QStringLiteral("lorvaspeak");

// The language-file editor's logic: what its bar's keys do.
struct LanguageEditorContext
{
    const QString &programFolder;
    const Language &language;
    WindowsState &state;
    Dialogs &dialogs;
    // The editor's whole text, as typed.
    std::function<QString()> text;
    // Shows the question dialog modally; its answer is then in the state.
    std::function<void()> askQuestion;
    std::function<void()> close;
    // A language file was written at `path`.
    std::function<void(const QString &path)> saved;
};

// The English language file, always the template of a new one. Throws
// AppError when it cannot be read.
QString languageTemplate(const QString &programFolder);

// Where the language called `name` (as typed) is saved: the Languages
// folder, "Speak_" + name + ".Txt", an existing file of any letter case
// replaced. Empty when the name is not a name a file can have here: empty
// after trimming, a path separator, "..", a control character or a
// character that file systems refuse.
std::optional<QString> languageFileFor(const QString &programFolder, const QString &name);

// "EXIT3" closes, asking the question first once anything was typed in this
// run; "SAVE5" asks for a name and saves the text under it.
void languageEditorCommand(LanguageEditorContext &ctx, const QString &key);

// The question dialog's keys: "OKYES" answers 1, "OKNO" 0; any other key
// leaves the answer.
void questionCommand(WindowsState &state, const QString &key);

// The About box's version line: caption 198, a space, the version.
QString aboutVersion(const Language &language, const QString &version);

} // namespace lorva
