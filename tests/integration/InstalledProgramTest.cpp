#include "support/ProgramRunner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace lorva::test;

namespace {

const QString kFirstPage = QStringLiteral("first page loaded");
constexpr uid_t kNobody = 65534; // root can write anywhere: run as a user

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Runs a command quietly; what it printed is shown only when it fails.
int run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (status != 0)
        std::fprintf(stderr, "%s", process.readAll().constData());
    return status;
}

// `cmake --install` of this build into a temporary prefix, the program's
// folder made read-only, and a home folder for the user who starts it.
class InstalledProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_FAIL() << "needs an X display: run the tests through scripts/test";
        ASSERT_TRUE(root.isValid());
        ASSERT_EQ(run("chmod", {"755", root.path()}), 0);
        ASSERT_EQ(run(CMAKE_COMMAND, {"--install", LORVA_BUILD_DIR, "--prefix", prefix}), 0);
        ASSERT_TRUE(QDir().mkpath(home + "/run"));
        ASSERT_EQ(run("chmod", {"700", home + "/run"}), 0);
        if (geteuid() == 0) {
            user = kNobody;
            ASSERT_EQ(run("chown", {"-R", "65534:65534", home}), 0);
        }
        shipped = filesBelow(installed);
        setInstalledWritable(false);
    }
    void setInstalledWritable(bool writable)
    {
        ASSERT_EQ(run("chmod", {"-R", writable ? "u+w" : "a-w", installed}), 0);
    }
    // One run: started, first page loaded, ended by SIGTERM with status 0.
    void startAndStop()
    {
        ProgramRunner program(prefix + "/bin/lorvaspeak", home, user);
        program.start();
        ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
        ASSERT_TRUE(program.stop(SIGTERM));
        EXPECT_EQ(program.exitCode(), 0) << qPrintable(program.output());
    }

    QTemporaryDir root;
    QString prefix = root.path() + "/prefix";
    QString installed = prefix + "/lib/lorvaspeak";
    QString home = root.path() + "/home";
    QString mine = home + "/.local/share/lorvaspeak";
    std::optional<uid_t> user;
    QStringList shipped;
};

} // namespace

TEST_F(InstalledProgram, KeepsTheUsersFilesInAFolderOfTheirOwnThroughRestartsAndUpgrades)
{
    ASSERT_TRUE(shipped.contains("Languages/Speak_english.txt")) << qPrintable(shipped.join(' '));

    startAndStop();
    for (const QString &file : shipped) {
        // The programs, the article finder beside them and the installation's
        // mark stay where they are.
        if (!file.contains('/') || file.startsWith("Readability/"))
            continue;
        EXPECT_EQ(readFile(mine + '/' + file), readFile(installed + '/' + file)) << qPrintable(file);
    }
    EXPECT_TRUE(QFile::exists(mine + "/Data/lorvaspeak.Opt"));
    EXPECT_TRUE(QFile::exists(mine + "/Data/lorvaspeak.Hys"));
    if (user)
        EXPECT_EQ(QFileInfo(mine + "/Data/lorvaspeak.Opt").ownerId(), *user);
    EXPECT_EQ(filesBelow(installed), shipped); // nothing written into the installation

    // The user changes the English captions; a new version of the program
    // then ships changed English and Italian files.
    const QString english = "/Languages/Speak_english.txt";
    const QString italian = "/Languages/Speak_italian.txt";
    const QByteArray usersEnglish = readFile(mine + english).replace("\"", "\"*");
    writeFile(mine + english, usersEnglish);
    writeFile(mine + "/Images/mine.txt", "the user's");
    setInstalledWritable(true);
    const QByteArray newItalian = readFile(installed + italian).replace("\"", "\"+");
    writeFile(installed + english, readFile(installed + english).replace("\"", "\"+"));
    writeFile(installed + italian, newItalian);
    setInstalledWritable(false);

    startAndStop();
    EXPECT_EQ(readFile(mine + english), usersEnglish);
    EXPECT_EQ(readFile(mine + italian), newItalian);
    EXPECT_EQ(readFile(mine + "/Images/mine.txt"), "the user's");
    EXPECT_EQ(filesBelow(installed), shipped);
}
