#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace lorva {

class TabHost;

inline constexpr int kCaptionCount = 251; // positions 0 to 250; 0 is never filled

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

// Path of the language file of `languageName`, found without regard to case.
QString languageFilePath(const QString &programFolder, const QString &languageName);

// Applies the lines of a language file to `language`: the captions are
// emptied first, settings absent from the lines keep their values, and each
// TAB_NUMBER sets the tab count of `tabs` and creates the views of the tabs.
// Tab captions are cleared at the end.
void applyLanguageLines(const QStringList &lines, Language &language, TabHost &tabs);

// Reads the language file of `languageName`. When the file cannot be read,
// throws AppError naming it and leaves `language` and `tabs` untouched.
void Read_Language(const QString &programFolder, const QString &languageName,
                   Language &language, TabHost &tabs);

} // namespace lorva
