#include "config/Options.h"

#include "config/AppError.h"
#include "config/LegacyText.h"

#include <QDir>
#include <QFileInfo>

namespace lorva {

namespace {

// Four numbers, the home page and the language: what follows is never looked at.
constexpr int kOptionsLines = 6;

} // namespace

void Read_Opt(const QString &programFolder, Options &options)
{
    options.LanguageName = QStringLiteral("English");
    const QString path = legacy::resolvePath(programFolder, kOptionsFile);

    // Only a missing file is replaced by the defaults: one that exists but
    // cannot be read is reported, never overwritten.
    if (!QFileInfo::exists(path)) {
        legacy::writeTextLines(path,
                               {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                                QStringLiteral("0"), kDefaultHomePage},
                               QStringLiteral("Read_Opt"));
        options.createdDefaultFile = true;
    }

    const std::optional<QStringList> lines = legacy::readTextLines(path, kOptionsLines);
    if (!lines)
        throw AppError(QStringLiteral("Cannot read ") + QDir::toNativeSeparators(path),
                       QStringLiteral("Read_Opt"));

    qint16 *numbers[] = {&options.BarStyle, &options.line2, &options.FloatingBars, &options.line4};
    for (int i = 0; i < 4 && i < lines->size(); ++i) {
        // A value that does not fit keeps what was there before.
        if (const auto value = legacy::toInt16(legacy::leadingNumber(lines->at(i))))
            *numbers[i] = *value;
    }
    if (lines->size() > 4)
        options.HomePage = lines->at(4);
    if (lines->size() > 5)
        options.LanguageName = lines->at(5);
}

QStringList optionsLines(const Options &options)
{
    return {legacy::printInt(options.BarStyle), legacy::printInt(options.line2), legacy::printInt(options.FloatingBars),
            legacy::printInt(options.line4),    options.HomePage,                options.LanguageName};
}

void Save_Opt(const QString &programFolder, const Options &options)
{
    legacy::writeTextLines(legacy::resolvePath(programFolder, kOptionsFile), optionsLines(options),
                           QStringLiteral("Save_Opt"));
}

} // namespace lorva
