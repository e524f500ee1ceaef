#include "addresses/Bookmark.h"

#include "config/LegacyText.h"

namespace lorva {

void Save_BookMark(const QString &programFolder, const QString &lastGoUrl)
{
    // An address holds no line break; one pasted in must not make two lines.
    QString line = lastGoUrl;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    legacy::writeTextLines(legacy::resolvePath(programFolder, kBookmarkFile), {line}, QStringLiteral("Save_BookMark"));
}

std::optional<QString> Read_BookMark(const QString &programFolder)
{
    const std::optional<QStringList> lines =
        legacy::readTextLines(legacy::resolvePath(programFolder, kBookmarkFile), 1, legacy::kLongLineBytes);
    if (!lines || lines->isEmpty())
        return std::nullopt;
    return lines->first();
}

} // namespace lorva
