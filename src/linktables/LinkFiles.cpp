#include "linktables/LinkFiles.h"

#include "config/LegacyText.h"

#include <QFileInfo>

namespace lorva {

namespace {

const QString kSeparator = QStringLiteral(";-;");
// A title and a count: a longer line is cut there.
constexpr qsizetype kTitleLineBytes = 4096;

QString withoutLineBreaks(QString text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

QString defaultTitle(int entry, const QString &caption34) { return u' ' + QString::number(entry) + caption34; }

} // namespace

QString groupDigits(int group) { return (QStringLiteral("00") + QString::number(group)).right(3); }

QString TableFile(const QString &programFolder, int group)
{
    return legacy::resolvePath(programFolder, QStringLiteral("Links/Links.") + groupDigits(group));
}

QString titleFile(const QString &programFolder)
{
    return legacy::resolvePath(programFolder, QStringLiteral("Links/Links.Bok"));
}

void Read_Links(const QString &programFolder, LinkGroups &links, const QString &caption34)
{
    links.LinksStem = legacy::resolvePath(programFolder, QStringLiteral("Links")) + QStringLiteral("/Links.");
    const QString path = titleFile(programFolder);
    if (!QFileInfo::exists(path)) {
        QStringList lines;
        for (int i = 1; i <= kTitleFileLines; ++i)
            lines << defaultTitle(i, caption34) + QStringLiteral(",0");
        legacy::writeTextLines(path, lines, QStringLiteral("Read_Links"));
    }
    const QStringList lines =
        legacy::readTextLines(path, kTitleEntries, kTitleLineBytes).value_or(QStringList());
    // Lines past the last entry have nowhere to go, and are not read.
    for (int n = 1; n <= kTitleEntries && n <= lines.size(); ++n) {
        const QStringList pieces = legacy::trimSpaces(lines[n - 1]).split(u',');
        GroupTitle &entry = links.GroupTitles[size_t(n)];
        entry.title = pieces.value(0);
        entry.count = QString::number(linkCountOf({QString(), pieces.value(1)}));
    }
}

void Default_Titles(LinkGroups &links, const QString &caption34)
{
    for (int i = 1; i <= kTitleFileLines; ++i) {
        GroupTitle &entry = links.GroupTitles[size_t(i)];
        if (legacy::leadingNumber(entry.count) == 0)
            entry.title = defaultTitle(i, caption34);
    }
}

void writeTitleFile(const QString &programFolder, const LinkGroups &links)
{
    QStringList lines;
    for (int i = 1; i <= kTitleFileLines; ++i) {
        const GroupTitle &entry = links.GroupTitles[size_t(i)];
        lines << groupTitleText(entry.title) + u',' + withoutLineBreaks(entry.count).remove(u',');
    }
    legacy::writeTextLines(titleFile(programFolder), lines, QStringLiteral("Save_Title"));
}

int linkCountOf(const GroupTitle &entry)
{
    const double value = legacy::leadingNumber(entry.count);
    if (!(value > 0)) // also what is not a number
        return 0;
    if (const auto count = legacy::toInt16(value))
        return qMax<int>(0, *count);
    return 32767;
}

QString groupTitleText(const QString &text) { return withoutLineBreaks(text).replace(u',', u';'); }

QString linkFieldText(const QString &text)
{
    QString out = withoutLineBreaks(text);
    // Each pass parts every separator it finds; overlapping ones need another.
    while (out.contains(kSeparator))
        out.replace(kSeparator, QStringLiteral(";- ;"));
    // A field ending in ";-" would make a separator with the one after it.
    if (out.endsWith(QStringLiteral(";-")))
        out += u' ';
    return out;
}

QString linkAddressText(const QString &text)
{
    QString out = withoutLineBreaks(text);
    while (out.contains(kSeparator))
        out.replace(kSeparator, QStringLiteral("%3B-;"));
    if (out.endsWith(QStringLiteral(";-")))
        out.replace(out.size() - 2, 1, QStringLiteral("%3B"));
    return out;
}

LinkLine parseLinkLine(const QString &line)
{
    LinkLine out;
    const QStringList pieces = line.split(kSeparator);
    if (pieces.size() < 6)
        return out;
    for (int i = 0; i < 6; ++i)
        out.fields[i] = pieces[i];
    out.valid = true;
    return out;
}

QString formatLinkLine(const QString (&fields)[6])
{
    QString line;
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            line += kSeparator;
        line += i == 1 ? linkAddressText(fields[i]) : linkFieldText(fields[i]);
    }
    return line;
}

} // namespace lorva
