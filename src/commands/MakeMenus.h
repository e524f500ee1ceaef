#pragma once

#include "commands/Elements.h"

#include <QString>
#include <QStringList>

namespace lorva {

class CommandBars;
class ImageList;

inline constexpr int kMaxLanguages = 20;

// What the language and voice menus were built from.
struct MenuTables
{
    QStringList LanguageList; // language names, in menu order (at most 20)
    int LanguageCount = 0;
    int VoiceCount = 0;
    // The voices menu's groups of voice numbers, a separator between two;
    // when empty, one group in number order.
    QList<QList<int>> VoiceGroups;
};

// The language files of the Languages folder, "Speak_<name>.txt", in
// alphabetical order, without regard to case; names that come twice and
// files beyond the twentieth are left out.
QStringList languageFiles(const QString &programFolder);

// The language name of a language file name: between the first "_" and the first ".".
QString languageNameOf(const QString &fileName);

// The image of a language's flag: the first image from the 105th (counted
// from 1) whose key starts with the name's first two letters, else 106.
int flagImage(const ImageList &images, const QString &languageName);

// Creates every command entry of the main window, with one entry per
// language file and one per voice (given by description, in engine order).
MenuTables Make_Menus(CommandBars &bars, const ImageList &images, const QStringList &languageFiles,
                      const QStringList &voiceDescriptions, int tabWidth);

// Checks the language menu's entry of `languageName` alone.
void markLanguage(CommandBars &bars, const QString &languageName);

// Adds the language file `fileName` (just written) to the language menu,
// before "New language file". False when the menu has it or is full.
bool addLanguage(CommandBars &bars, const ImageList &images, MenuTables &tables, const QString &fileName);

// Creates and fills the bars of the main window and hangs the menus.
void Make_Toolbars(CommandBars &bars, const MenuTables &tables);

// Creates and fills the bars of a secondary window: "TAB0" and "TAB1" of
// the link-table window and "EDIT9" of the link-row editor from entries
// that Make_Menus made; the language-file editor's "STANDARD5", the
// question dialog's "STANDARD6" and the About box's "STANDARD7" with the
// entries they define themselves. Once per run: later calls do nothing.
void Make_WindowBars(CommandBars &bars, CommandWindow window);

} // namespace lorva
