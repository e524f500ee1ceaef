#include "linktables/LinkFiles.h"

#include "config/LegacyText.h"

#include "config/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

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
    recoverLinkSaves(programFolder);
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

QStringList titleLines(const LinkGroups &links)
{
    QStringList lines;
    for (int i = 1; i <= kTitleFileLines; ++i) {
        const GroupTitle &entry = links.GroupTitles[size_t(i)];
        lines << groupTitleText(entry.title) + u',' + withoutLineBreaks(entry.count).remove(u',');
    }
    return lines;
}

void writeTitleFile(const QString &programFolder, const LinkGroups &links)
{
    legacy::writeTextLines(titleFile(programFolder), titleLines(links), QStringLiteral("Save_Title"));
}

namespace {

const QString kStaged = QStringLiteral(".new");

QString linksFolder(const QString &programFolder)
{
    return legacy::resolvePath(programFolder, QStringLiteral("Links"));
}

// The note that makes a change of the pair count as made.
QString pairNote(const QString &programFolder) { return linksFolder(programFolder) + QStringLiteral("/Links.Pair"); }

// Moves each staged file named in the note over its file. rename(2)
// replaces the old file in one step; a file already moved is skipped, so
// that finishing twice does no harm.
bool finishPair(const QString &folder, const QStringList &names)
{
    bool whole = true;
    for (const QString &name : names) {
        if (!legacy::isPlainName(name))
            continue;
        const QString target = folder + u'/' + name;
        const QString staged = target + kStaged;
        if (QFileInfo::exists(staged) && ::rename(QFile::encodeName(staged).constData(),
                                                  QFile::encodeName(target).constData()) != 0)
            whole = false;
    }
    return whole;
}

} // namespace

void writeGroupAndTitles(const QString &programFolder, const QString &groupFile, const QStringList &groupLines,
                         const LinkGroups &links)
{
    const QString source = QStringLiteral("Save_Table");
    const QString folder = linksFolder(programFolder);
    const QString title = titleFile(programFolder);
    const QStringList names{QFileInfo(groupFile).fileName(), QFileInfo(title).fileName()};
    try {
        legacy::writeTextLines(groupFile + kStaged, groupLines, source);
        legacy::writeTextLines(title + kStaged, titleLines(links), source);
        legacy::writeTextLines(pairNote(programFolder), names, source);
    } catch (const AppError &) {
        QFile::remove(groupFile + kStaged);
        QFile::remove(title + kStaged);
        throw;
    }
    if (!finishPair(folder, names))
        throw AppError(QStringLiteral("Cannot write ") + QDir::toNativeSeparators(groupFile), source);
    QFile::remove(pairNote(programFolder));
}

void recoverLinkSaves(const QString &programFolder)
{
    const QString folder = linksFolder(programFolder);
    const QString note = pairNote(programFolder);
    if (QFileInfo::exists(note)) {
        // The note is written whole or not at all: when it is there, the new
        // pair is complete beside the old one.
        const QStringList names = legacy::readTextLines(note, 2).value_or(QStringList());
        if (names.size() == 2 && finishPair(folder, names))
            QFile::remove(note);
    }
    if (QFileInfo::exists(note))
        return; // could not be finished: keep everything for the next try
    // New files whose note was never written, and the temporary files that
    // atomic writes leave when killed ("Links.007.a1B2c3").
    static const QRegularExpression leftover(QStringLiteral(R"(^links\.(\d{3}|bok|pair)(\.new)?(\.[A-Za-z0-9]{6})?$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = leftover.match(name);
        if (match.hasMatch() && (!match.captured(2).isEmpty() || !match.captured(3).isEmpty()))
            QFile::remove(folder + u'/' + name);
    }
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
