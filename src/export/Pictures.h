#pragma once

#include <QString>

namespace lorva {

class Dispatcher;
struct ExportContext;

// A picture of the whole screen onto the clipboard, taken while the page
// fills the main window: the bars and the status strip give way for it and
// come back afterwards (also when they were hidden before).
void Load_ClipBoard(ExportContext &ctx);

// A picture of the screen as a new blank slide: added to the chosen
// presentation when it exists, otherwise a new presentation with that slide.
void SaveAsP(ExportContext &ctx);
// The page as a web archive (MHTML), where the user chooses; a PDF document
// shown is saved as itself.
void Save_Archive(ExportContext &ctx);
// The page's markup into "\Doc.Txt", opened in the desktop's text editor.
void View_Source(ExportContext &ctx);
// A picture of the screen into "\Images\Lorva" + three digits + ".bmp".
void Take_Pic(ExportContext &ctx);

// The picture file of number `n`: "Images/Lorva" + the last three digits.
QString pictureName(int n);
// The first number from `from` on (round the thousand) whose picture does
// not exist below `programFolder`; -1 when all 1000 names are taken.
int freePictureNumber(const QString &programFolder, int from);

// Registers "SAVE:PPT", "SAVE:HTML", "EDIT:VIEW" and "EDIT:PICTURE".
void addPictureRows(Dispatcher &dispatcher, ExportContext &ctx);

inline constexpr int kPicturesFullCaption = 242;

} // namespace lorva
