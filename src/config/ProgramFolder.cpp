#include "config/ProgramFolder.h"

#include "config/AppError.h"
#include "config/LegacyText.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

namespace lorva {

namespace {

const QString kSource = QStringLiteral("Program folder");
// One line per shipped file: relative path, digest of the content that was
// copied, and the size and time of the shipped file it came from.
const QString kListName = QStringLiteral(".shipped");
// A path as long as the system allows (4 KiB), a digest and a stamp; and a
// list far longer than what is ever shipped.
constexpr int kListLines = 4096;
constexpr qsizetype kListLineBytes = 8 * 1024;

struct ShippedEntry
{
    QByteArray digest; // empty: the user had the file before it was listed
    QString stamp;
};

QString stampOf(const QFileInfo &info)
{
    return QString::number(info.size()) + u':' + QString::number(info.lastModified().toMSecsSinceEpoch());
}

// The digest of a file; `content` takes the bytes too. Without it, the file
// is read in pieces: a user's file may be of any size.
QByteArray digestOf(const QString &path, QByteArray *content = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (content) {
        *content = file.readAll();
        return QCryptographicHash::hash(*content, QCryptographicHash::Sha256).toHex();
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

QHash<QString, ShippedEntry> readList(const QString &path)
{
    QHash<QString, ShippedEntry> list;
    const std::optional<QStringList> lines = legacy::readTextLines(path, kListLines, kListLineBytes);
    if (!lines)
        return list;
    for (const QString &line : *lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 3 && !fields[0].isEmpty())
            list.insert(fields[0], {fields[1].toLatin1(), fields[2]});
    }
    return list;
}

void writeList(const QString &path, const QHash<QString, ShippedEntry> &list)
{
    QStringList lines;
    for (auto it = list.cbegin(); it != list.cend(); ++it)
        lines << it.key() + u'\t' + QString::fromLatin1(it->digest) + u'\t' + it->stamp;
    lines.sort();
    legacy::writeTextLines(path, lines, kSource);
}

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw AppError(QStringLiteral("Cannot create the folder %1").arg(path), kSource);
}

bool writable(const QString &folder) { return ::access(QFile::encodeName(folder).constData(), W_OK) == 0; }

} // namespace

QString userProgramFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/lorvaspeak");
}

SeedReport seedProgramFolder(const QString &shipped, const QString &user)
{
    SeedReport report;
    makeFolder(user);
    const QString listPath = user + u'/' + kListName;
    QHash<QString, ShippedEntry> list = readList(listPath);
    bool listChanged = false;
    const auto remember = [&](const QString &relative, const ShippedEntry &entry) {
        const auto old = list.constFind(relative);
        if (old == list.cend() || old->digest != entry.digest || old->stamp != entry.stamp) {
            list.insert(relative, entry);
            listChanged = true;
        }
    };

    for (const char *name : kShippedFolders) {
        const QString top = QString::fromLatin1(name);
        makeFolder(legacy::resolvePath(user, top));
        const QString from = shipped + u'/' + top;
        QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo info(files.next());
            const QString relative = top + u'/' + QDir(from).relativeFilePath(info.filePath());
            const QString target = legacy::resolvePath(user, relative);
            const QString stamp = stampOf(info);
            const bool present = QFileInfo::exists(target);
            const auto entry = list.constFind(relative);
            if (present && entry != list.cend() && entry->stamp == stamp)
                continue; // nothing new was installed since the last look

            QByteArray content;
            const QByteArray shippedDigest = digestOf(info.filePath(), &content);
            if (!present) {
                makeFolder(QFileInfo(target).path());
                legacy::writeFileAtomically(target, content, kSource);
                remember(relative, {shippedDigest, stamp});
                ++report.copied;
                continue;
            }
            const QByteArray userDigest = digestOf(target);
            if (userDigest == shippedDigest) {
                remember(relative, {shippedDigest, stamp});
            } else if (entry != list.cend() && !entry->digest.isEmpty() && userDigest == entry->digest) {
                try {
                    legacy::writeFileAtomically(target, content, kSource);
                    remember(relative, {shippedDigest, stamp});
                    ++report.updated;
                } catch (const AppError &error) {
                    std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(error.message()));
                }
            } else {
                // The user's own version: keep it, and what it was made from.
                remember(relative, {entry != list.cend() ? entry->digest : QByteArray(), stamp});
                ++report.kept;
            }
        }
    }
    if (listChanged)
        writeList(listPath, list);
    return report;
}

QString chooseProgramFolder(const QString &executableFolder, const QString &userFolder)
{
    // An installed program is never written to, not even by root, so that
    // the package manager finds only its own files there.
    if (writable(executableFolder) && !QFileInfo::exists(executableFolder + QStringLiteral("/.installed")))
        return executableFolder;
    seedProgramFolder(executableFolder, userFolder);
    return userFolder;
}

} // namespace lorva
