#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace lorva::keys {

// Every command key and bar key, spelled here once. A key is an entry's
// identity everywhere: the bar builder, the captions, the rows of the
// dispatcher and the shortcuts all name it through these constants, so a
// misspelt key no longer compiles into a click that silently does nothing.
// Each constant holds its text in read-only data: passing one on copies nothing.

// The exits of the bars (EXIT5 and EXIT6 close the link-table window), the
// main window's buttons and the titles of its menus.
inline const QString Exit0 = QStringLiteral("EXIT0");
inline const QString Exit2 = QStringLiteral("EXIT2");
inline const QString Exit5 = QStringLiteral("EXIT5");
inline const QString Exit6 = QStringLiteral("EXIT6");
inline const QString File = QStringLiteral("FILE");
inline const QString Back = QStringLiteral("BACK");
inline const QString Next = QStringLiteral("NEXT");
inline const QString Print = QStringLiteral("PRINT");
inline const QString Google = QStringLiteral("GOOGLE");
inline const QString Save = QStringLiteral("SAVE");
inline const QString Tools = QStringLiteral("TOOLS");
inline const QString Edit = QStringLiteral("EDIT");
inline const QString Favorite = QStringLiteral("FAVORITE");
inline const QString Search = QStringLiteral("SEARCH");
inline const QString Navigate = QStringLiteral("NAVIGATE");
inline const QString Speak = QStringLiteral("SPEAK");
inline const QString Tts = QStringLiteral("TTS");
inline const QString Lang = QStringLiteral("LANG");

// The language menu's new file, and the navigation menu.
inline const QString LangNew = QStringLiteral("LANG:NEW");
inline const QString NavigatePick = QStringLiteral("NAVIGATE:PICK");
inline const QString NavigateGo = QStringLiteral("NAVIGATE:GO");
inline const QString NavigateGoSeparator = QStringLiteral("NAVIGATE:GO:SEPARATOR");
inline const QString NavigateNext = QStringLiteral("NAVIGATE:NEXT");
inline const QString NavigateRefresh = QStringLiteral("NAVIGATE:REFRESH");
inline const QString NavigateBack = QStringLiteral("NAVIGATE:BACK");
inline const QString NavigateHomeSeparator = QStringLiteral("NAVIGATE:HOME:SEPARATOR");
inline const QString NavigateHome = QStringLiteral("NAVIGATE:HOME");
inline const QString NavigatePickHome = QStringLiteral("NAVIGATE:PICKHOME");
inline const QString NavigateExitSeparator = QStringLiteral("NAVIGATE:EXIT:SEPARATOR");

// The edit menu.
inline const QString EditStop = QStringLiteral("EDIT:STOP");
inline const QString EditCancelDownload = QStringLiteral("EDIT:CANCELDOWNLOAD");
inline const QString EditTxt = QStringLiteral("EDIT:TXT");
inline const QString EditTxtSeparator = QStringLiteral("EDIT:TXT:SEPARATOR");
inline const QString EditDelete = QStringLiteral("EDIT:DELETE");
inline const QString EditCut = QStringLiteral("EDIT:CUT");
inline const QString EditCopy = QStringLiteral("EDIT:COPY");
inline const QString EditPaste = QStringLiteral("EDIT:PASTE");
inline const QString EditPageSet = QStringLiteral("EDIT:PAGESET");
inline const QString EditPreview = QStringLiteral("EDIT:PREVIEW");
inline const QString EditPrint = QStringLiteral("EDIT:PRINT");
inline const QString EditProperties = QStringLiteral("EDIT:PROPERTIES");
inline const QString EditFindDoc = QStringLiteral("EDIT:FINDDOC");
inline const QString EditFindSeparator = QStringLiteral("EDIT:FIND:SEPARATOR");
inline const QString EditSelect = QStringLiteral("EDIT:SELECT");
inline const QString EditSelectSeparator = QStringLiteral("EDIT:SELECT:SEPARATOR");
inline const QString EditViewSeparator = QStringLiteral("EDIT:VIEW:SEPARATOR");
inline const QString EditView = QStringLiteral("EDIT:VIEW");
inline const QString EditPicture = QStringLiteral("EDIT:PICTURE");
inline const QString EditTrans = QStringLiteral("EDIT:TRANS");
inline const QString EditExitSeparator = QStringLiteral("EDIT:EXIT:SEPARATOR");
inline const QString EditExit = QStringLiteral("EDIT:EXIT");

// The file menu.
inline const QString FileStyleSeparator = QStringLiteral("FILE:STYLE:SEPARATOR");
inline const QString FileOffice = QStringLiteral("FILE:OFFICE");
inline const QString FileXp = QStringLiteral("FILE:XP");
inline const QString FileMoney = QStringLiteral("FILE:MONEY");
inline const QString FileSystem = QStringLiteral("FILE:SYSTEM");
inline const QString FileFloatingSeparator = QStringLiteral("FILE:FLOATING:SEPARATOR");
inline const QString FileFloating = QStringLiteral("FILE:FLOATING");
inline const QString FileFishSeparator = QStringLiteral("FILE:FISH:SEPARATOR");
inline const QString FileBrevonta = QStringLiteral("FILE:BREVONTA");
inline const QString FileHelp = QStringLiteral("FILE:HELP");
inline const QString FileHelpSeparator = QStringLiteral("FILE:HELP:SEPARATOR");
inline const QString FileExplorer = QStringLiteral("FILE:EXPLORER");
inline const QString FileEarthSeparator = QStringLiteral("FILE:EARTH:SEPARATOR");
inline const QString FileSecurity = QStringLiteral("FILE:SECURITY");
inline const QString FileVolume = QStringLiteral("FILE:VOLUME");
inline const QString FileInternetSeparator = QStringLiteral("FILE:INTERNET:SEPARATOR");
inline const QString FileInternet = QStringLiteral("FILE:INTERNET");

// The save menu.
inline const QString SaveHtml = QStringLiteral("SAVE:HTML");
inline const QString SaveWordH = QStringLiteral("SAVE:WORDH");
inline const QString SaveWordV = QStringLiteral("SAVE:WORDV");
inline const QString SaveExcel = QStringLiteral("SAVE:EXCEL");
inline const QString SavePpt = QStringLiteral("SAVE:PPT");
inline const QString SavePdf = QStringLiteral("SAVE:PDF");

// The speech menu (steering speech; the voices follow it).
inline const QString SpeakTre = QStringLiteral("SPEAK:TRE");
inline const QString SpeakSei = QStringLiteral("SPEAK:SEI");
inline const QString SpeakDodici = QStringLiteral("SPEAK:DODICI");
inline const QString SpeakStopSeparator = QStringLiteral("SPEAK:STOP:SEPARATOR");
inline const QString SpeakStop = QStringLiteral("SPEAK:STOP");
inline const QString SpeakPause = QStringLiteral("SPEAK:PAUSE");
inline const QString SpeakRead = QStringLiteral("SPEAK:READ");
inline const QString SpeakPrev = QStringLiteral("SPEAK:PREV");
inline const QString SpeakNext = QStringLiteral("SPEAK:NEXT");
inline const QString SpeakLogSeparator = QStringLiteral("SPEAK:LOG:SEPARATOR");
inline const QString SpeakLog = QStringLiteral("SPEAK:LOG");
inline const QString SpeakSave = QStringLiteral("SPEAK:SAVE");
inline const QString SpeakPronunciation = QStringLiteral("SPEAK:PRON");
inline const QString SpeakCode = QStringLiteral("SPEAK:CODE");
inline const QString SpeakPictures = QStringLiteral("SPEAK:PICTURES");
inline const QString SpeakAuto = QStringLiteral("SPEAK:AUTO");
inline const QString SpeakVoicesSeparator = QStringLiteral("SPEAK:VOICES:SEPARATOR");

// The sites and the panels of the main window's bars.
inline const QString Picture = QStringLiteral("PICTURE");
inline const QString Brevonta = QStringLiteral("BREVONTA");
inline const QString Wiki = QStringLiteral("WIKI");
inline const QString Map = QStringLiteral("MAP");
inline const QString Social = QStringLiteral("SOCIAL");
inline const QString Ebay = QStringLiteral("EBAY");
inline const QString Nil2 = QStringLiteral("NIL2");
inline const QString Move2 = QStringLiteral("MOVE2");

// The link-table window and the link-row editor.
inline const QString AddUrl = QStringLiteral("ADDURL");
inline const QString EditUrl = QStringLiteral("EDITURL");
inline const QString GoUrl = QStringLiteral("GOURL");
inline const QString Sort = QStringLiteral("SORT");
inline const QString Save2 = QStringLiteral("SAVE2");
inline const QString Help2 = QStringLiteral("HELP2");
inline const QString Title = QStringLiteral("TITLE");
inline const QString Min = QStringLiteral("MIN");
inline const QString Nil4 = QStringLiteral("NIL4");
inline const QString Cancel = QStringLiteral("CANCEL");
inline const QString Save3 = QStringLiteral("SAVE3");

// The language-file editor, the question dialog and the About box.
inline const QString Exit3 = QStringLiteral("EXIT3");
inline const QString Save5 = QStringLiteral("SAVE5");
inline const QString OkYes = QStringLiteral("OKYES");
inline const QString OkNo = QStringLiteral("OKNO");
inline const QString Nil6 = QStringLiteral("NIL6");
inline const QString AboutOk = QStringLiteral("ABOUTOK");
inline const QString AboutHelp = QStringLiteral("ABOUTHELP");

// The separators the bars share, SEP1 to SEP16.
inline const QString Sep1 = QStringLiteral("SEP1");
inline const QString Sep2 = QStringLiteral("SEP2");
inline const QString Sep3 = QStringLiteral("SEP3");
inline const QString Sep4 = QStringLiteral("SEP4");
inline const QString Sep5 = QStringLiteral("SEP5");
inline const QString Sep6 = QStringLiteral("SEP6");
inline const QString Sep7 = QStringLiteral("SEP7");
inline const QString Sep8 = QStringLiteral("SEP8");
inline const QString Sep9 = QStringLiteral("SEP9");
inline const QString Sep10 = QStringLiteral("SEP10");
inline const QString Sep11 = QStringLiteral("SEP11");
inline const QString Sep12 = QStringLiteral("SEP12");
inline const QString Sep13 = QStringLiteral("SEP13");
inline const QString Sep14 = QStringLiteral("SEP14");
inline const QString Sep15 = QStringLiteral("SEP15");
inline const QString Sep16 = QStringLiteral("SEP16");
inline const QString Separators[] = {Sep1, Sep2,  Sep3,  Sep4,  Sep5,  Sep6,  Sep7,  Sep8,
                                     Sep9, Sep10, Sep11, Sep12, Sep13, Sep14, Sep15, Sep16};

// The bars of each window. The menus are bars named after the entry they hang
// below (Save, Edit, File, Navigate, Tts, Lang; Tools stays empty).
inline const QString Standard0 = QStringLiteral("STANDARD0");
inline const QString Standard1 = QStringLiteral("STANDARD1");
inline const QString Standard2 = QStringLiteral("STANDARD2");
inline const QString Tab0 = QStringLiteral("TAB0");
inline const QString Tab1 = QStringLiteral("TAB1");
inline const QString Edit9 = QStringLiteral("EDIT9");
inline const QString Standard5 = QStringLiteral("STANDARD5");
inline const QString Standard6 = QStringLiteral("STANDARD6");
inline const QString Standard7 = QStringLiteral("STANDARD7");

// The keys made at run time: one entry per language file, one per voice.
inline const QString LangPrefix = QStringLiteral("LANG:");
inline const QString VoicePrefix = QStringLiteral("TTS:");

// "LANG:" and the language's name in capitals ("LANG:ITALIAN").
inline QString language(const QString &name) { return LangPrefix + name.toUpper(); }
// "TTS:" + n + "VOICE", the n-th voice counted from 1 in the engine's order.
inline QString voice(int n) { return VoicePrefix + QString::number(n) + QStringLiteral("VOICE"); }

// The keys that choose an entry of the main window's menus from anywhere in
// the window, the page too; the menus show them beside the entries. The
// sentence keys leave Ctrl+Alt and Shift+Alt with the arrows to the desktop.
inline QList<QKeySequence> shortcutsOf(const QString &key)
{
    if (key == NavigateBack)
        return {QKeySequence(Qt::ALT | Qt::Key_Left)};
    if (key == NavigateNext)
        return {QKeySequence(Qt::ALT | Qt::Key_Right)};
    if (key == NavigateRefresh)
        return {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)};
    if (key == EditFindDoc)
        return {QKeySequence(Qt::CTRL | Qt::Key_F)};
    if (key == SpeakNext)
        return {QKeySequence(Qt::ALT | Qt::Key_PageDown)};
    if (key == SpeakPrev)
        return {QKeySequence(Qt::ALT | Qt::Key_PageUp)};
    return {};
}

// The zoom keys of every browser, larger (`direction` > 0), smaller (< 0)
// and back to 100 % (0). Plus comes with Shift where it shares a key with
// "=", and that key without Shift zooms too; the keypad's keys match these.
inline QList<QKeySequence> zoomKeys(int direction)
{
    if (direction > 0)
        return {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
                QKeySequence(Qt::CTRL | Qt::Key_Equal)};
    if (direction < 0)
        return {QKeySequence(Qt::CTRL | Qt::Key_Minus)};
    return {QKeySequence(Qt::CTRL | Qt::Key_0)};
}

} // namespace lorva::keys
