// Sound files written piece by piece where they cannot be written whole: a
// disk that fills up on the way, and a folder that takes no files. The
// user's file stays as it was, and the failure says why.
#include "platform/AudioFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lorva;

namespace {

const QByteArray kOldFile = "the user's old file, which must survive";

// A small tmpfs of its own on a fresh folder, mounted while it lives.
class SmallDisk
{
public:
    SmallDisk()
    {
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=1m") == 0;
        m_why = m_mounted ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString why() const { return m_why; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Fills the disk but for about `room` bytes.
    void fillLeaving(qint64 room) const
    {
        const QByteArray filler = QFile::encodeName(file("filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const QByteArray block(64 * 1024, 'x');
        qint64 size = 0;
        for (ssize_t put; (put = ::write(fd, block.constData(), size_t(block.size()))) > 0;)
            size += put;
        EXPECT_EQ(::ftruncate(fd, std::max<qint64>(0, size - room)), 0);
        ::close(fd);
    }
    void makeReadOnly() const
    {
        ASSERT_EQ(::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                          "size=1m"),
                  0)
            << std::strerror(errno);
    }
    QStringList leftovers() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".~lorva"));
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A second of a tone with noise in it, which no encoder makes small.
QByteArray second(int index)
{
    QByteArray pcm(22050 * 2, Qt::Uninitialized);
    auto *samples = reinterpret_cast<qint16 *>(pcm.data());
    quint32 seed = 12345u + quint32(index);
    for (int i = 0; i < 22050; ++i) {
        seed = seed * 1103515245u + 12345u;
        samples[i] = qint16(6000 * std::sin(i * 0.07) + int((seed >> 16) % 8000) - 4000);
    }
    return pcm;
}

class FullDisk : public ::testing::TestWithParam<const char *>
{
};

} // namespace

TEST_P(FullDisk, KeepsTheUsersFileAndSaysTheDiskIsFull)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root (the CI runs as root)";
    // Full from the start, and full part way through.
    for (const qint64 room : {qint64(0), qint64(48 * 1024)}) {
        SCOPED_TRACE(room);
        SmallDisk disk;
        if (!disk.mounted())
            GTEST_SKIP() << "cannot mount a tmpfs here: " << qPrintable(disk.why());
        const QString target = disk.file(QStringLiteral("speech.") + GetParam());
        {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write(kOldFile);
        }
        disk.fillLeaving(room);

        QString error;
        std::unique_ptr<AudioFileWriter> file = openAudioFile(target, 22050, error);
        bool saved = false;
        if (file) {
            bool appended = true;
            for (int s = 0; appended && s < 120; ++s)
                appended = file->append(second(s));
            saved = file->commit();
            error = file->error();
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(error.startsWith("Cannot write " + target + ": ")) << qPrintable(error);
        EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << qPrintable(error);
        EXPECT_EQ(read(target), kOldFile);
        EXPECT_EQ(disk.leftovers(), QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, FullDisk, ::testing::Values("wav", "ogg", "mp3"));

TEST(AudioFile, AFolderThatTakesNoFilesIsAFailureAndTheUsersFileStays)
{
    // Root writes into any folder whatever its permissions: it gets a file
    // system mounted read-only instead.
    SmallDisk disk;
    QTemporaryDir plain;
    const bool root = ::geteuid() == 0;
    if (root && !disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << qPrintable(disk.why());
    const QString folder = root ? disk.path() : plain.path();
    const QString target = folder + QStringLiteral("/speech.ogg");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kOldFile);
    }
    if (root)
        disk.makeReadOnly();
    else
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);

    QString error;
    EXPECT_EQ(openAudioFile(target, 22050, error), nullptr);
    EXPECT_TRUE(error.startsWith("Cannot write " + target + ": ")) << qPrintable(error);
    EXPECT_EQ(read(target), kOldFile);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"speech.ogg"}));
    if (!root)
        ::chmod(QFile::encodeName(folder).constData(), 0755);
}
