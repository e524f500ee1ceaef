#include "commands/MakeMenus.h"

#include "commands/CommandBars.h"
#include "commands/ImageList.h"
#include "config/LegacyText.h"

#include <QDir>
#include <QSet>

namespace lorva {

namespace {

struct Row
{
    const char *key;
    int image;
    int style;
};

void addRows(CommandBars &bars, std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        bars.addEntry(QString::fromLatin1(row.key), row.image, QString(), row.style, QString());
}

void fill(CommandBars &bars, const QString &bar, std::initializer_list<const char *> keys)
{
    bars.addBar(bar);
    for (const char *key : keys)
        bars.addToBar(bar, QString::fromLatin1(key));
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

MenuTables Make_Menus(CommandBars &bars, const ImageList &images, const QStringList &languageFiles,
                      const QStringList &voiceDescriptions, int tabWidth)
{
    MenuTables tables;
    addRows(bars, {{"EXIT0", 0, 0}, {"EXIT2", 0, 0}, {"EXIT5", 0, 0}, {"EXIT6", 0, 0}});
    addRows(bars, {{"FILE", 81, 0}, {"BACK", 1, 0}, {"NEXT", 2, 0}, {"PRINT", 5, 0}, {"GOOGLE", 13, 0},
                   {"SAVE", 6, 0}, {"TOOLS", 9, 0}, {"EDIT", 7, 0}, {"FAVORITE", 8, 0}, {"SEARCH", 10, 0},
                   {"NAVIGATE", 73, 0}, {"SPEAK", 18, 0}, {"TTS", 50, 0}, {"LANG", 105, 0}});
    for (const char *key : {"FILE", "SAVE", "TOOLS", "EDIT", "SEARCH", "NAVIGATE", "TTS", "LANG"})
        bars.setDropDown(QString::fromLatin1(key), true);

    for (const QString &file : languageFiles) {
        const QString name = languageNameOf(file);
        tables.LanguageList << name;
        const QString key = QStringLiteral("LANG:") + name.toUpper();
        bars.addEntry(key, flagImage(images, name), QString(), StyleOption, file);
        bars.setCaption(key, legacy::properCase(name));
    }
    tables.LanguageCount = int(tables.LanguageList.size());

    int rotating = 0;
    for (const QString &description : voiceDescriptions) {
        ++tables.VoiceCount;
        if (++rotating == 4)
            rotating = 0;
        const QString key = QStringLiteral("TTS:%1VOICE").arg(tables.VoiceCount);
        bars.addEntry(key, 33 + rotating, QString(), StyleOption, description);
        bars.setCaption(key, QStringLiteral("Voice: ") + description);
    }

    addRows(bars, {{"LANG:NEW", 119, 0}, {"NAVIGATE:PICK", 15, 0}, {"NAVIGATE:GO", 71, 0},
                   {"NAVIGATE:GO:SEPARATOR", -1, 1}, {"NAVIGATE:NEXT", 2, 0}, {"NAVIGATE:REFRESH", 4, 0},
                   {"NAVIGATE:BACK", 1, 0}, {"NAVIGATE:HOME:SEPARATOR", -1, 1}, {"NAVIGATE:HOME", 16, 0},
                   {"NAVIGATE:PICKHOME", 83, 0}, {"NAVIGATE:EXIT:SEPARATOR", -1, 1}});
    addRows(bars, {{"EDIT:STOP", 3, 0}, {"EDIT:TXT", 66, 0}, {"EDIT:TXT:SEPARATOR", -1, 1},
                   {"EDIT:DELETE", 68, 0}, {"EDIT:CUT", 61, 0}, {"EDIT:COPY", 62, 0}, {"EDIT:PASTE", 63, 0},
                   {"EDIT:PAGESET", 58, 0}, {"EDIT:PREVIEW", 59, 0}, {"EDIT:PRINT", 60, 0},
                   {"EDIT:PROPERTIES", 79, 0}, {"EDIT:FINDDOC", 64, 0}, {"EDIT:FIND:SEPARATOR", -1, 1},
                   {"EDIT:SELECT", 67, 0}, {"EDIT:SELECT:SEPARATOR", -1, 1}, {"EDIT:VIEW:SEPARATOR", -1, 1},
                   {"EDIT:VIEW", 69, 0}, {"EDIT:PICTURE", 78, 0}, {"EDIT:TRANS", 80, 0},
                   {"EDIT:EXIT:SEPARATOR", -1, 1}, {"EDIT:EXIT", 0, 0}});
    addRows(bars, {{"FILE:STYLE:SEPARATOR", -1, 1}, {"FILE:OFFICE", 9, 6}, {"FILE:XP", 75, 6},
                   {"FILE:MONEY", 76, 6}, {"FILE:SYSTEM", 58, 6}, {"FILE:FLOATING:SEPARATOR", -1, 1},
                   {"FILE:FLOATING", 72, 4}, {"FILE:FISH:SEPARATOR", -1, 1}, {"FILE:BREVONTA", 19, 0},
                   {"FILE:HELP", 77, 0}, {"FILE:HELP:SEPARATOR", -1, 1}, {"FILE:EXPLORER", 46, 0},
                   {"FILE:EARTH:SEPARATOR", -1, 1}, {"FILE:SECURITY", 48, 0}, {"FILE:VOLUME", 37, 0},
                   {"FILE:INTERNET:SEPARATOR", -1, 1}, {"FILE:INTERNET", 47, 0}});
    addRows(bars, {{"SAVE:HTML", 26, 0}, {"SAVE:WORDH", 27, 0}, {"SAVE:WORDV", 28, 0}, {"SAVE:EXCEL", 29, 0},
                   {"SAVE:PPT", 30, 0}, {"SAVE:PDF", 32, 0}});
    // The three rates are one option group, apart from the voices below them.
    addRows(bars, {{"SPEAK:TRE", 127, 6}, {"SPEAK:SEI", 127, 6}, {"SPEAK:DODICI", 127, 6},
                   {"SPEAK:STOP:SEPARATOR", -1, 1}, {"SPEAK:STOP", 128, 0}, {"SPEAK:PAUSE", 84, 0},
                   {"SPEAK:READ", 86, 0}, {"SPEAK:PREV", 87, 0}, {"SPEAK:NEXT", 88, 0},
                   {"SPEAK:LOG:SEPARATOR", -1, 1}, {"SPEAK:LOG", 10, 0}, {"SPEAK:SAVE", 85, 0},
                   {"SPEAK:VOICES:SEPARATOR", -1, 1}});
    for (int i = 1; i <= 16; ++i)
        bars.addEntry(QStringLiteral("SEP%1").arg(i), -1, QString(), StyleSeparator, QString());
    addRows(bars, {{"PICTURE", 78, 0}});
    for (const Row &row : {Row{"BREVONTA", 19, 0}, Row{"WIKI", 122, 0}, Row{"MAP", 123, 0},
                           Row{"SOCIAL", 124, 0}, Row{"EBAY", 125, 0}})
        bars.addEntry(QString::fromLatin1(row.key), row.image, QString(), row.style, QStringLiteral("\""));
    bars.addEntry(QStringLiteral("NIL2"), -1, QString(), StylePanel, QString());
    bars.setPanel(QStringLiteral("NIL2"), 0);
    bars.addEntry(QStringLiteral("MOVE2"), -1, QString(), StylePanel, QString());
    bars.setPanel(QStringLiteral("MOVE2"), 12);
    addRows(bars, {{"ADDURL", 1, 0}, {"EDITURL", 2, 0}, {"GOURL", 3, 0}, {"SORT", 6, 0}, {"SAVE2", 7, 0},
                   {"HELP2", 8, 0}, {"TITLE", 9, 0}, {"MIN", 22, 0}});
    bars.addEntry(QStringLiteral("NIL4"), -1, QString(), StylePanel, QString());
    bars.setPanel(QStringLiteral("NIL4"), tabWidth);
    addRows(bars, {{"CANCEL", 1, 0}, {"SAVE3", 2, 0}});
    return tables;
}

void Make_Toolbars(CommandBars &bars, const MenuTables &tables)
{
    for (const char *bar : {"STANDARD0", "SAVE", "FILE", "TOOLS", "EDIT", "LANG", "NAVIGATE", "TTS"})
        bars.addBar(QString::fromLatin1(bar));
    fill(bars, "STANDARD0", {"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE", "BREVONTA", "SEP11",
                             "EDIT", "SAVE", "FILE", "LANG", "SEP4", "TTS", "SPEAK", "SEP5", "NAVIGATE"});
    fill(bars, "SAVE", {"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV", "SAVE:EXCEL", "SAVE:PPT", "SAVE:PDF"});
    bars.setHungBar(QStringLiteral("SAVE"), QStringLiteral("SAVE"));
    fill(bars, "EDIT", {"EDIT:STOP", "EDIT:TXT", "EDIT:TXT:SEPARATOR", "EDIT:CUT", "EDIT:COPY", "EDIT:PASTE",
                        "EDIT:DELETE", "EDIT:SELECT", "EDIT:SELECT:SEPARATOR", "EDIT:PAGESET", "EDIT:PREVIEW",
                        "EDIT:PRINT", "EDIT:PROPERTIES", "EDIT:FINDDOC", "EDIT:VIEW:SEPARATOR", "EDIT:VIEW",
                        "EDIT:PICTURE", "EDIT:TRANS", "EDIT:EXIT:SEPARATOR", "EDIT:EXIT"});
    bars.setHungBar(QStringLiteral("EDIT"), QStringLiteral("EDIT"));
    fill(bars, "FILE", {"FILE:STYLE:SEPARATOR", "FILE:SYSTEM", "FILE:OFFICE", "FILE:XP", "FILE:MONEY",
                        "FILE:FLOATING:SEPARATOR", "FILE:FLOATING", "FILE:FISH:SEPARATOR", "FILE:EXPLORER",
                        "FILE:SECURITY", "FILE:VOLUME", "FILE:INTERNET", "FILE:INTERNET:SEPARATOR",
                        "FILE:BREVONTA", "FILE:HELP"});
    bars.setHungBar(QStringLiteral("FILE"), QStringLiteral("FILE"));
    fill(bars, "NAVIGATE", {"NAVIGATE:PICK", "NAVIGATE:GO", "NAVIGATE:GO:SEPARATOR", "NAVIGATE:BACK",
                            "NAVIGATE:REFRESH", "NAVIGATE:NEXT", "NAVIGATE:HOME:SEPARATOR", "NAVIGATE:PICKHOME",
                            "NAVIGATE:HOME"});
    bars.setHungBar(QStringLiteral("NAVIGATE"), QStringLiteral("NAVIGATE"));
    // Steering speech comes first, the voices after it.
    if (tables.VoiceCount > 0)
        fill(bars, "TTS", {"SPEAK:TRE", "SPEAK:SEI", "SPEAK:DODICI", "SPEAK:STOP:SEPARATOR", "SPEAK:STOP",
                           "SPEAK:PAUSE", "SPEAK:READ", "SPEAK:PREV", "SPEAK:NEXT", "SPEAK:LOG:SEPARATOR", "SPEAK:LOG", "SPEAK:SAVE",
                           "SPEAK:VOICES:SEPARATOR"});
    for (int n = 1; n <= tables.VoiceCount; ++n)
        bars.addToBar(QStringLiteral("TTS"), QStringLiteral("TTS:%1VOICE").arg(n));
    bars.setHungBar(QStringLiteral("TTS"), QStringLiteral("TTS"));
    for (const QString &name : tables.LanguageList)
        bars.addToBar(QStringLiteral("LANG"), QStringLiteral("LANG:") + name.toUpper());
    bars.addToBar(QStringLiteral("LANG"), QStringLiteral("LANG:NEW"));
    bars.setHungBar(QStringLiteral("LANG"), QStringLiteral("LANG"));
    fill(bars, "STANDARD1", {"NIL4"});
    fill(bars, "STANDARD2", {"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"});
}

void Make_WindowBars(CommandBars &bars, CommandWindow window)
{
    if (window == CommandWindow::Table && !bars.hasBar(QStringLiteral("TAB0"))) {
        fill(bars, "TAB0", {"EXIT5", "SEP1", "ADDURL", "SEP5", "EDITURL", "GOURL", "SEP4", "SORT", "SAVE2", "HELP2",
                            "SEP7", "TITLE"});
        fill(bars, "TAB1", {"SEP10", "EXIT6"});
    } else if (window == CommandWindow::RowEditor && !bars.hasBar(QStringLiteral("EDIT9"))) {
        fill(bars, "EDIT9", {"CANCEL", "SAVE3"});
    } else if (window == CommandWindow::LanguageEditor && !bars.hasBar(QStringLiteral("STANDARD5"))) {
        addRows(bars, {{"EXIT3", 0, 0}, {"SAVE5", 1, 0}});
        fill(bars, "STANDARD5", {"SEP1", "EXIT3", "SEP13", "SAVE5", "SEP2"});
    } else if (window == CommandWindow::Question && !bars.hasBar(QStringLiteral("STANDARD6"))) {
        addRows(bars, {{"OKYES", 0, 0}, {"OKNO", 1, 0}});
        bars.addEntry(QStringLiteral("NIL6"), -1, QString(), StylePanel, QString());
        bars.setPanel(QStringLiteral("NIL6"), 150);
        fill(bars, "STANDARD6", {"OKYES", "SEP13", "NIL6", "SEP2", "OKNO"});
    } else if (window == CommandWindow::About && !bars.hasBar(QStringLiteral("STANDARD7"))) {
        addRows(bars, {{"ABOUTOK", 0, 0}, {"ABOUTHELP", 1, 0}});
        fill(bars, "STANDARD7", {"ABOUTOK", "SEP13", "ABOUTHELP", "SEP2"});
    }
}

} // namespace lorva
