#include "commands/MakeMenus.h"

#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/ImageList.h"
#include "config/LegacyText.h"

#include <QDir>
#include <QSet>

namespace lorva {

using namespace keys;

namespace {

struct Row
{
    QString key;
    int image;
    int style;
};

void addRows(CommandBars &bars, std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        bars.addEntry(row.key, row.image, QString(), row.style, QString());
}

void fill(CommandBars &bars, const QString &bar, std::initializer_list<QString> keys)
{
    bars.addBar(bar);
    for (const QString &key : keys)
        bars.addToBar(bar, key);
}

} // namespace

QString languageNameOf(const QString &fileName)
{
    const qsizetype underscore = fileName.indexOf(u'_');
    const qsizetype dot = fileName.indexOf(u'.');
    if (underscore < 0 || dot < 0 || dot < underscore)
        return {};
    return fileName.mid(underscore + 1, dot - underscore - 1);
}

QStringList languageFiles(const QString &programFolder)
{
    const QDir dir(legacy::resolvePath(programFolder, QStringLiteral("Languages")));
    QStringList files;
    QSet<QString> names;
    const QStringList entries = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : entries) {
        // Only files the language switch can read: a backup copy beside one
        // ("Speak_english.bak") would name a language it cannot open.
        if (!file.startsWith(QStringLiteral("speak_"), Qt::CaseInsensitive) ||
            !file.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
            continue;
        const QString name = languageNameOf(file);
        if (name.isEmpty() || names.contains(name.toUpper()))
            continue;
        names.insert(name.toUpper());
        files << file;
        if (files.size() == kMaxLanguages)
            break;
    }
    return files;
}

int flagImage(const ImageList &images, const QString &languageName)
{
    const QString prefix = languageName.left(2).toLower();
    for (int n = 105; n <= images.count(); ++n) {
        if (images.key(n).left(2) == prefix)
            return n - 1;
    }
    return 106;
}

namespace {

void addLanguageEntry(CommandBars &bars, const ImageList &images, MenuTables &tables, const QString &file)
{
    const QString name = languageNameOf(file);
    tables.LanguageList << name;
    tables.LanguageCount = int(tables.LanguageList.size());
    const QString key = language(name);
    bars.addEntry(key, flagImage(images, name), QString(), StyleOption, file);
    bars.setCaption(key, legacy::properCase(name));
}

} // namespace

void markLanguage(CommandBars &bars, const QString &languageName)
{
    const QString current = language(languageName);
    for (const QString &key : bars.bar(Lang)) {
        if (key.startsWith(LangPrefix) && key != LangNew)
            bars.setChecked(key, key == current);
    }
}

bool addLanguage(CommandBars &bars, const ImageList &images, MenuTables &tables, const QString &fileName)
{
    const QString name = languageNameOf(fileName);
    if (name.isEmpty() || tables.LanguageCount >= kMaxLanguages ||
        tables.LanguageList.contains(name, Qt::CaseInsensitive))
        return false;
    // In its alphabetical place, as it will be from the next start on.
    QString before = LangNew;
    for (const QString &other : std::as_const(tables.LanguageList)) {
        if (other.compare(name, Qt::CaseInsensitive) > 0) {
            before = language(other);
            break;
        }
    }
    addLanguageEntry(bars, images, tables, fileName);
    bars.insertIntoBar(Lang, before, language(name));
    return true;
}

MenuTables Make_Menus(CommandBars &bars, const ImageList &images, const QStringList &languageFiles,
                      const QStringList &voiceDescriptions, int tabWidth)
{
    MenuTables tables;
    addRows(bars, {{Exit0, 0, 0}, {Exit2, 0, 0}, {Exit5, 0, 0}, {Exit6, 0, 0}});
    addRows(bars, {{File, 81, 0}, {Back, 1, 0}, {Next, 2, 0}, {Print, 5, 0}, {Google, 13, 0},
                   {Save, 6, 0}, {Tools, 9, 0}, {Edit, 7, 0}, {Favorite, 8, 0}, {Search, 10, 0},
                   {Navigate, 73, 0}, {Speak, 18, 0}, {Tts, 50, 0}, {Lang, 105, 0}});
    for (const QString &key : {File, Save, Tools, Edit, Search, Navigate, Tts, Lang})
        bars.setDropDown(key, true);

    for (const QString &file : languageFiles)
        addLanguageEntry(bars, images, tables, file);

    int rotating = 0;
    for (const QString &description : voiceDescriptions) {
        ++tables.VoiceCount;
        if (++rotating == 4)
            rotating = 0;
        const QString key = voice(tables.VoiceCount);
        bars.addEntry(key, 33 + rotating, QString(), StyleOption, description);
        bars.setCaption(key, QStringLiteral("Voice: ") + description);
    }

    addRows(bars, {{LangNew, 119, 0}, {NavigatePick, 15, 0}, {NavigateGo, 71, 0},
                   {NavigateGoSeparator, -1, 1}, {NavigateNext, 2, 0}, {NavigateRefresh, 4, 0},
                   {NavigateBack, 1, 0}, {NavigateHomeSeparator, -1, 1}, {NavigateHome, 16, 0},
                   {NavigatePickHome, 83, 0}, {NavigateExitSeparator, -1, 1}});
    addRows(bars, {{EditStop, 3, 0}, {EditCancelDownload, 3, 0}, {EditTxt, 66, 0}, {EditTxtSeparator, -1, 1},
                   {EditDelete, 68, 0}, {EditCut, 61, 0}, {EditCopy, 62, 0}, {EditPaste, 63, 0},
                   {EditPageSet, 58, 0}, {EditPreview, 59, 0}, {EditPrint, 60, 0},
                   {EditProperties, 79, 0}, {EditFindDoc, 64, 0}, {EditFindSeparator, -1, 1},
                   {EditSelect, 67, 0}, {EditSelectSeparator, -1, 1}, {EditViewSeparator, -1, 1},
                   {EditView, 69, 0}, {EditPicture, 78, 0}, {EditTrans, 80, 0},
                   {EditExitSeparator, -1, 1}, {EditExit, 0, 0}});
    // Nothing to cancel until a download runs.
    bars.setEnabled(EditCancelDownload, false);
    addRows(bars, {{FileStyleSeparator, -1, 1}, {FileOffice, 9, 6}, {FileXp, 75, 6},
                   {FileMoney, 76, 6}, {FileSystem, 58, 6}, {FileFloatingSeparator, -1, 1},
                   {FileFloating, 72, 4}, {FileFishSeparator, -1, 1}, {FileBrevonta, 19, 0},
                   {FileHelp, 77, 0}, {FileHelpSeparator, -1, 1}, {FileExplorer, 46, 0},
                   {FileEarthSeparator, -1, 1}, {FileSecurity, 48, 0}, {FileVolume, 37, 0},
                   {FileInternetSeparator, -1, 1}, {FileInternet, 47, 0}});
    addRows(bars, {{SaveHtml, 26, 0}, {SaveWordH, 27, 0}, {SaveWordV, 28, 0}, {SaveExcel, 29, 0},
                   {SavePpt, 30, 0}, {SavePdf, 32, 0}});
    // The three rates are one option group, apart from the voices below them.
    addRows(bars, {{SpeakTre, 127, 6}, {SpeakSei, 127, 6}, {SpeakDodici, 127, 6},
                   {SpeakStopSeparator, -1, 1}, {SpeakStop, 128, 0}, {SpeakPause, 84, 0},
                   {SpeakRead, 86, 0}, {SpeakPrev, 87, 0}, {SpeakNext, 88, 0},
                   {SpeakLogSeparator, -1, 1}, {SpeakLog, 10, 0}, {SpeakSave, 85, 0}, {SpeakPronunciation, 10, 0},
                   {SpeakCode, -1, 4}, {SpeakPictures, -1, 4}, {SpeakVoicesSeparator, -1, 1}, {SpeakAuto, 127, StyleCheck}});
    for (const QString &separator : Separators)
        bars.addEntry(separator, -1, QString(), StyleSeparator, QString());
    addRows(bars, {{Picture, 78, 0}});
    for (const Row &row : {Row{Brevonta, 19, 0}, Row{Wiki, 122, 0}, Row{Map, 123, 0},
                           Row{Social, 124, 0}, Row{Ebay, 125, 0}})
        bars.addEntry(row.key, row.image, QString(), row.style, QStringLiteral("\""));
    bars.addEntry(Nil2, -1, QString(), StylePanel, QString());
    bars.setPanel(Nil2, 0);
    bars.addEntry(Move2, -1, QString(), StylePanel, QString());
    bars.setPanel(Move2, 12);
    addRows(bars, {{AddUrl, 1, 0}, {EditUrl, 2, 0}, {GoUrl, 3, 0}, {Sort, 6, 0}, {Save2, 7, 0},
                   {Help2, 8, 0}, {Title, 9, 0}, {Min, 22, 0}});
    bars.addEntry(Nil4, -1, QString(), StylePanel, QString());
    bars.setPanel(Nil4, tabWidth);
    addRows(bars, {{Cancel, 1, 0}, {Save3, 2, 0}});
    return tables;
}

void Make_Toolbars(CommandBars &bars, const MenuTables &tables)
{
    for (const QString &bar : {Standard0, Save, File, Tools, Edit, Lang, Navigate, Tts})
        bars.addBar(bar);
    fill(bars, Standard0, {Exit0, Sep13, Back, Next, Sep10, Print, Favorite, Brevonta, Sep11, Edit, Save, File, Lang,
                           Sep4, Tts, Speak, Sep5, Navigate});
    fill(bars, Save, {SaveHtml, SaveWordH, SaveWordV, SaveExcel, SavePpt, SavePdf});
    bars.setHungBar(Save, Save);
    fill(bars, Edit, {EditStop, EditCancelDownload, EditTxt, EditTxtSeparator, EditCut, EditCopy, EditPaste, EditDelete, EditSelect,
                      EditSelectSeparator, EditPageSet, EditPreview, EditPrint, EditProperties, EditFindDoc,
                      EditViewSeparator, EditView, EditPicture, EditTrans, EditExitSeparator, EditExit});
    bars.setHungBar(Edit, Edit);
    fill(bars, File, {FileStyleSeparator, FileSystem, FileOffice, FileXp, FileMoney, FileFloatingSeparator,
                      FileFloating, FileFishSeparator, FileExplorer, FileSecurity, FileVolume, FileInternet,
                      FileInternetSeparator, FileBrevonta, FileHelp});
    bars.setHungBar(File, File);
    fill(bars, Navigate, {NavigatePick, NavigateGo, NavigateGoSeparator, NavigateBack, NavigateRefresh, NavigateNext,
                          NavigateHomeSeparator, NavigatePickHome, NavigateHome});
    bars.setHungBar(Navigate, Navigate);
    // Steering speech comes first, the voices after it.
    if (tables.VoiceCount > 0)
        fill(bars, Tts, {SpeakTre, SpeakSei, SpeakDodici, SpeakStopSeparator, SpeakStop, SpeakPause, SpeakRead,
                         SpeakPrev, SpeakNext, SpeakLogSeparator, SpeakLog, SpeakSave, SpeakPronunciation, SpeakCode, SpeakPictures,
                         SpeakVoicesSeparator, SpeakAuto, SpeakVoicesSeparator});
    if (tables.VoiceGroups.isEmpty()) {
        for (int n = 1; n <= tables.VoiceCount; ++n)
            bars.addToBar(Tts, voice(n));
    }
    for (const QList<int> &group : tables.VoiceGroups) {
        if (&group != &tables.VoiceGroups.first())
            bars.addToBar(Tts, SpeakVoicesSeparator);
        for (int n : group)
            bars.addToBar(Tts, voice(n));
    }
    bars.setHungBar(Tts, Tts);
    for (const QString &name : tables.LanguageList)
        bars.addToBar(Lang, language(name));
    bars.addToBar(Lang, LangNew);
    bars.setHungBar(Lang, Lang);
    fill(bars, Standard1, {Nil4});
    fill(bars, Standard2, {Google, Social, Ebay, Wiki, Map, Sep14, Min, Exit2});
}

void Make_WindowBars(CommandBars &bars, CommandWindow window)
{
    if (window == CommandWindow::Table && !bars.hasBar(Tab0)) {
        fill(bars, Tab0, {Exit5, Sep1, AddUrl, Sep5, EditUrl, GoUrl, Sep4, Sort, Save2, Help2, Sep7, Title});
        fill(bars, Tab1, {Sep10, Exit6});
    } else if (window == CommandWindow::RowEditor && !bars.hasBar(Edit9)) {
        fill(bars, Edit9, {Cancel, Save3});
    } else if (window == CommandWindow::LanguageEditor && !bars.hasBar(Standard5)) {
        addRows(bars, {{Exit3, 0, 0}, {Save5, 1, 0}});
        fill(bars, Standard5, {Sep1, Exit3, Sep13, Save5, Sep2});
    } else if (window == CommandWindow::Question && !bars.hasBar(Standard6)) {
        addRows(bars, {{OkYes, 0, 0}, {OkNo, 1, 0}});
        bars.addEntry(Nil6, -1, QString(), StylePanel, QString());
        bars.setPanel(Nil6, 150);
        fill(bars, Standard6, {OkYes, Sep13, Nil6, Sep2, OkNo});
    } else if (window == CommandWindow::About && !bars.hasBar(Standard7)) {
        addRows(bars, {{AboutOk, 0, 0}, {AboutHelp, 1, 0}});
        fill(bars, Standard7, {AboutOk, Sep13, AboutHelp, Sep2});
    }
}

} // namespace lorva
