#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace lorva {

inline constexpr int kMaxTabs = 20;

inline constexpr int kCaptionCount = 283; // positions 0 to 282; 0 is never filled
// Every language file has positions 1 to 250. The texts added since take
// the positions after them; where a file lacks one (a file written before
// it existed), the shipped English file's text stands there.
inline constexpr int kFirstAddedCaption = 251;

// Captions and site settings of the current language file.
struct Language
{
    std::array<QString, kCaptionCount> Captions;

    QString StartPage;
    QString HelpPage;
    QString LangCode;
    QString ProgramMail;
    QString SearchUrl;
    QString SearchDescr;
    QString DictionaryUrl;
    QString DictionaryDescr;
    QString MapUrl;
    QString MapDescr;
    QString SocialUrl;
    QString SocialDescr;
    QString EcommerceUrl;
    QString EcommerceDescr;
    QString PromotePath;
    QString TranslatorPath;
    qint16 TabWidth = 0;
    qint16 LockAdvertising = 0;
    std::array<QString, 15> QuickUrls;
};

// How far a language file is read: ten times the lines of a shipped one, each
// as long as a caption or a setting's address could sensibly be.
inline constexpr int kLanguageLines = 4096;
inline constexpr qsizetype kLanguageLineBytes = 4096;

// Path of the language file of `languageName`, found without regard to case.
QString languageFilePath(const QString &programFolder, const QString &languageName);

// Applies the lines of a language file to `language`: the captions are
// emptied first and settings absent from the lines keep their values;
// added positions the lines do not reach take the shipped English text.
// Returns the tab count of the last TAB_NUMBER (kept within 1..kMaxTabs),
// or 0 when there is none: the caller sets the tabs, their views and their
// (empty) captions.
int applyLanguageLines(const QStringList &lines, Language &language);

// Reads the language file of `languageName` and returns its tab count as
// above. The name must be a plain name, never a path. When it is not, or
// the file cannot be read, throws AppError naming it and leaves `language`
// untouched.
int Read_Language(const QString &programFolder, const QString &languageName, Language &language);

} // namespace lorva
