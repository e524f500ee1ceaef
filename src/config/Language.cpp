#include "config/Language.h"

#include "config/AppError.h"
#include "config/LegacyText.h"

#include <QDir>

#include <algorithm>
#include <cmath>

// The shipped English language file, built in (see CMakeLists.txt).
extern const char kShippedEnglish[];
extern const std::size_t kShippedEnglish_size;

namespace lorva {

namespace {

using TextSetting = QString Language::*;

// Settings that take the value exactly as written.
TextSetting textSetting(const QString &key)
{
    static const struct
    {
        const char16_t *key;
        TextSetting member;
    } kTextKeys[] = {
        {u"START_PAGE", &Language::StartPage},
        {u"HELP_PAGE", &Language::HelpPage},
        {u"PROGRAM_MAIL", &Language::ProgramMail},
        {u"SEARCH_URL", &Language::SearchUrl},
        {u"SEARCH_DESCR", &Language::SearchDescr},
        {u"DICTIONARY_URL", &Language::DictionaryUrl},
        {u"DICTIONARY_DESCR", &Language::DictionaryDescr},
        {u"MAP_URL", &Language::MapUrl},
        {u"MAP_DESCR", &Language::MapDescr},
        {u"SOCIAL_URL", &Language::SocialUrl},
        {u"SOCIAL_DESCR", &Language::SocialDescr},
        {u"ECOMMERCE_URL", &Language::EcommerceUrl},
        {u"ECOMMERCE_DESCR", &Language::EcommerceDescr},
        {u"PROMOTE_PATH", &Language::PromotePath},
        {u"TRANSLATOR_PATH", &Language::TranslatorPath},
    };
    for (const auto &entry : kTextKeys) {
        if (key == QStringView(entry.key))
            return entry.member;
    }
    return nullptr;
}

// The tab count of a TAB_NUMBER value, kept within 1..kMaxTabs so that a
// damaged file can neither remove every tab nor exhaust memory.
int tabCountOf(const QString &value)
{
    const double wanted = std::clamp(legacy::leadingNumber(value), 1.0, double(kMaxTabs));
    return int(std::nearbyint(wanted));
}

} // namespace

QString languageFilePath(const QString &programFolder, const QString &languageName)
{
    return legacy::resolvePath(programFolder,
                               QStringLiteral("Languages/Speak_") + languageName + QStringLiteral(".txt"));
}

namespace {

// Reads `lines` into `language`; `captionCounter` ends at the last caption read.
int readLanguageLines(const QStringList &lines, Language &language, int &captionCounter)
{
    language.Captions.fill(QString());
    captionCounter = 0;
    int tabCount = 0;

    for (const QString &rawLine : lines) {
        const QString line = legacy::trimSpaces(rawLine);
        if (line.startsWith(u'['))
            continue;

        if (line.startsWith(u'"')) {
            // Lines beyond the table's last position are ignored.
            if (captionCounter >= kCaptionCount - 1)
                continue;
            ++captionCounter;
            language.Captions[captionCounter] = line.size() >= 2 ? line.mid(1, line.size() - 2) : QString();
            continue;
        }

        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.left(equals).toUpper();
        const QString value = line.mid(equals + 1);

        if (const TextSetting member = textSetting(key)) {
            language.*member = value;
        } else if (key == u"LANG") {
            language.LangCode = legacy::trimSpaces(value).left(3);
        } else if (key == u"TAB_NUMBER") {
            tabCount = tabCountOf(value);
        } else if (key == u"TAB_WIDTH") {
            if (const auto width = legacy::toInt16(legacy::leadingNumber(value)))
                language.TabWidth = *width;
        } else if (key == u"LOCK_ADVERTISING") {
            language.LockAdvertising = value.toUpper().startsWith(u'N') ? 0 : 1;
        } else if (key.startsWith(u'F')) {
            const auto n = legacy::toInt16(legacy::leadingNumber(QStringView(key).mid(1)));
            if (n && *n >= 2 && *n <= 12)
                language.QuickUrls[*n] = value;
        }
    }
    return tabCount;
}

const std::array<QString, kCaptionCount> &shippedCaptions()
{
    static const std::array<QString, kCaptionCount> captions = [] {
        const QString text = legacy::decodeText(QByteArray::fromRawData(kShippedEnglish, qsizetype(kShippedEnglish_size)));
        Language english;
        int last = 0;
        readLanguageLines(legacy::splitLines(text), english, last);
        return english.Captions;
    }();
    return captions;
}

} // namespace

int applyLanguageLines(const QStringList &lines, Language &language)
{
    int captionCounter = 0;
    const int tabCount = readLanguageLines(lines, language, captionCounter);
    for (int i = std::max(captionCounter + 1, kFirstAddedCaption); i < kCaptionCount; ++i)
        language.Captions[size_t(i)] = shippedCaptions()[size_t(i)];
    return tabCount;
}

int Read_Language(const QString &programFolder, const QString &languageName, Language &language)
{
    // A language is a name, never a path: "x/../../outside" must not read a
    // file outside the Languages folder.
    if (!legacy::isPlainName(languageName))
        throw AppError(QStringLiteral("Not a language name: \"") + legacy::printableName(languageName) +
                           QStringLiteral("\""),
                       QStringLiteral("Read_Language"));
    const QString path = languageFilePath(programFolder, languageName);
    const std::optional<QStringList> lines = legacy::readTextLines(path, kLanguageLines, kLanguageLineBytes);
    if (!lines)
        throw AppError(QStringLiteral("Cannot read the language file ") + QDir::toNativeSeparators(path),
                       QStringLiteral("Read_Language"));
    return applyLanguageLines(*lines, language);
}

} // namespace lorva
