// Feeds arbitrary bytes to an installed program's list of shipped files in
// the user's folder, and a choice of shipped files the user already has in
// a version of their own: seeding gives every shipped file, keeps the
// user's versions (unless the list names them as copied unchanged), and a
// second pass changes nothing.
#include "config/AppError.h"
#include "config/ProgramFolder.h"

#include "FuzzFile.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <cstdlib>

namespace {

const char *const kShipped[] = {"Data/Start.html", "Languages/Speak_english.txt", "Links/Links.Bok",
                                "Images/a.png"};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    lorva::fuzz::writeInput(path, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static QTemporaryDir base;
    static const QString shipped = [] {
        const QString path = base.path() + "/shipped";
        for (const char *name : kShipped)
            write(path + '/' + name, QByteArray("shipped ") + name);
        return path;
    }();
    const QString user = base.path() + "/user";
    QDir(user).removeRecursively();
    const QByteArray mine = "the user's own";
    for (int i = 0; i < 4; ++i) {
        if (data[0] & (1 << i))
            write(user + '/' + kShipped[i], mine);
    }
    write(user + "/.shipped", QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    const QByteArray list(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const bool mineListed = list.contains(QCryptographicHash::hash(mine, QCryptographicHash::Sha256).toHex());

    try {
        lorva::seedProgramFolder(shipped, user);
        for (int i = 0; i < 4; ++i) {
            const QByteArray now = contentOf(user + '/' + kShipped[i]);
            const QByteArray original = contentOf(shipped + '/' + kShipped[i]);
            if ((data[0] & (1 << i)) ? now != mine && !(mineListed && now == original) : now != original)
                std::abort();
        }
        QList<QByteArray> before;
        for (const char *name : kShipped)
            before << contentOf(user + '/' + name);
        const lorva::SeedReport again = lorva::seedProgramFolder(shipped, user);
        if (again.copied != 0 || again.updated != 0)
            std::abort();
        for (int i = 0; i < 4; ++i) {
            if (contentOf(user + '/' + kShipped[i]) != before[i])
                std::abort();
        }
    } catch (const lorva::AppError &) {
        std::abort();
    }
    return 0;
}
