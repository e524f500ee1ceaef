#include "support/ProgramRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace lorva::test;

namespace {

const QString kFirstPage = QStringLiteral("first page loaded");

// A folder of the program moved onto a small filesystem of its own (a
// tmpfs, which only root may mount), with what it held; unmounted at the end.
class SmallFilesystem
{
public:
    explicit SmallFilesystem(QString dir) : m_dir(std::move(dir))
    {
        if (geteuid() != 0)
            return;
        const QStringList names = QDir(m_dir).entryList(QDir::Files);
        for (const QString &name : names)
            QFile::copy(m_dir + '/' + name, m_keep.filePath(name));
        m_mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", m_dir}) == 0;
        for (const QString &name : names)
            QFile::copy(m_keep.filePath(name), m_dir + '/' + name);
    }
    ~SmallFilesystem()
    {
        if (m_mounted)
            QProcess::execute("umount", {m_dir});
    }
    bool mounted() const { return m_mounted; }

    // Fills it to the last byte.
    void fill() const
    {
        QFile filler(m_dir + "/filler");
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }
    bool makeReadOnly() const { return QProcess::execute("mount", {"-o", "remount,ro", m_dir}) == 0; }

private:
    QString m_dir;
    QTemporaryDir m_keep;
    bool m_mounted = false;
};

class ProgramRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!haveDisplay())
            GTEST_FAIL() << "needs an X display: run the tests through scripts/test";
    }
    ProgramRunner program;
};

} // namespace

TEST_F(ProgramRun, FirstRunWritesDefaultsAndTermSavesTheSixLineFile)
{
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    EXPECT_TRUE(program.output().contains("first page loaded: lorvaspeak://start/"));
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"), crlf({"1", "0", "0", "0", "lorvaspeak://start/"}));

    program.folder().write("html.txt", "temporary");
    program.folder().write("doc.txt", "temporary");
    ASSERT_TRUE(program.stop(SIGTERM)) << "did not end after SIGTERM";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"),
              crlf({" 1 ", " 0 ", " 0 ", " 0 ", "lorvaspeak://start/", "English"}));
    EXPECT_FALSE(program.folder().exists("html.txt"));
    EXPECT_FALSE(program.folder().exists("doc.txt"));
}

TEST_F(ProgramRun, InterruptShutsDownInOrderAndKeepsTheUsersChoices)
{
    program.folder().write("Data/lorvaspeak.Opt", crlf({"3", "9", "0", "0", "lorvaspeak://start/", "italian"}));
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    ASSERT_TRUE(program.stop(SIGINT));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"),
              crlf({" 3 ", " 9 ", " 0 ", " 0 ", "lorvaspeak://start/", "italian"}));
}

TEST_F(ProgramRun, AMissingLanguageFileEndsWithStatusOneAndWritesNothing)
{
    const QByteArray options = crlf({" 1 ", " 0 ", " 0 ", " 0 ", "http://127.0.0.1:9/", "klingon"});
    program.folder().write("Data/lorvaspeak.Opt", options);
    program.start();
    ASSERT_TRUE(program.waitForOutput("Speak_klingon.txt")) << qPrintable(program.output());
    ASSERT_TRUE(program.pressEnterIn("lorvaspeak")) << "no failure message box";
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.output().contains(" Source : Read_Language")) << qPrintable(program.output());
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"), options);
}

TEST_F(ProgramRun, AFailedFirstStartLeavesNoOptionsFileBehind)
{
    program.folder().remove("Languages/Speak_english.txt");
    program.start();
    ASSERT_TRUE(program.waitForOutput("Speak_English.txt")) << qPrintable(program.output());
    ASSERT_TRUE(program.pressEnterIn("lorvaspeak"));
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_FALSE(program.folder().exists("Data/lorvaspeak.Opt"));
}

TEST_F(ProgramRun, ASaveFailureAtShutdownIsShownAndTheProgramStillEnds)
{
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    program.folder().remove("Data");
    program.folder().write("doc.txt", "temporary");
    program.signal(SIGTERM);
    ASSERT_TRUE(program.pressEnterIn("lorvaspeak")) << "no failure message box";
    ASSERT_TRUE(program.waitForExit()) << "the program did not end after the failure";
    EXPECT_EQ(program.exitCode(), 1); // what was not saved is lost: not a success
    EXPECT_FALSE(program.folder().exists("doc.txt"));
    EXPECT_FALSE(program.folder().exists("Data"));
}

TEST_F(ProgramRun, AFullDiskKeepsTheOptionsFileWholeAndSaysSo)
{
    const QByteArray options = crlf({"2", "0", "0", "0", "lorvaspeak://start/", "italian"});
    program.folder().write("Data/lorvaspeak.Opt", options);
    SmallFilesystem data(program.folder().file("Data"));
    if (!data.mounted())
        GTEST_SKIP() << "a small filesystem can be mounted only by root";
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    data.fill();
    ASSERT_TRUE(program.stop(SIGTERM, std::chrono::seconds(15)));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.output().contains(" Source : Save_Opt")) << qPrintable(program.output());
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"), options);
}

TEST_F(ProgramRun, AnUnwritableDataFolderDoesNotHoldUpAnEndBySignal)
{
    program.folder().write("Data/lorvaspeak.Opt", crlf({"1", "0", "0", "0", "lorvaspeak://start/", "English"}));
    SmallFilesystem data(program.folder().file("Data"));
    if (geteuid() == 0 ? !data.mounted() || !data.makeReadOnly()
                       : !QFile::setPermissions(program.folder().file("Data"), QFile::ReadOwner | QFile::ExeOwner))
        GTEST_SKIP() << "the Data folder could not be made read-only";
    const QByteArray before = program.folder().read("Data/lorvaspeak.Opt");

    // Nobody answers the message: the program still ends, and says why.
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(program.stop(SIGTERM, std::chrono::seconds(15))) << "still running after SIGTERM";
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.output().contains(" Source : Save_Opt")) << qPrintable(program.output());

    // A second signal while the message is up ends it at once.
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    program.signal(SIGTERM);
    ASSERT_TRUE(program.waitForOutput(" Source : Save_Opt")) << qPrintable(program.output());
    clock.restart();
    ASSERT_TRUE(program.stop(SIGINT, std::chrono::seconds(15)));
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"), before);
    QFile::setPermissions(program.folder().file("Data"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(ProgramRun, ClosingTheTerminalSavesLikeSigterm)
{
    program.folder().write("Data/lorvaspeak.Opt", crlf({"3", "0", "0", "0", "lorvaspeak://start/", "English"}));
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    ASSERT_TRUE(program.stop(SIGHUP));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"),
              crlf({" 3 ", " 0 ", " 0 ", " 0 ", "lorvaspeak://start/", "English"}));
}

TEST_F(ProgramRun, AnAddressTypedASecondBeforeAKillIsThereAfterTheRestart)
{
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    // Nothing listens there: the address goes into the history all the same.
    const QByteArray typed = "http://127.0.0.1:9/typed-before-the-kill";
    // Typed straight after the start, where the keyboard is: the address box,
    // whose text the typing replaces.
    ASSERT_TRUE(program.inMainWindow({"type", "--delay", "20", QString::fromLatin1(typed)}));
    ASSERT_TRUE(program.inMainWindow({"key", "Return"}));
    QThread::msleep(1000);
    ASSERT_TRUE(program.stop(SIGKILL));
    EXPECT_TRUE(program.folder().read("Data/lorvaspeak.Hys").contains(typed + "\r\n"))
        << program.folder().read("Data/lorvaspeak.Hys").toStdString();

    // The next start reads it back, and writes it again at its own end.
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    ASSERT_TRUE(program.stop(SIGTERM));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.folder().read("Data/lorvaspeak.Hys").contains(typed + "\r\n"));
}

TEST_F(ProgramRun, CrashesOfTheRendererAndOfTheProgramEachLeaveOneLine)
{
    const QByteArray options = crlf({"3", "0", "0", "0", "lorvaspeak://start/", "English"});
    program.folder().write("Data/lorvaspeak.Opt", options);
    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    const QList<qint64> renderers = program.rendererProcesses();
    ASSERT_FALSE(renderers.isEmpty());
    for (const qint64 pid : renderers)
        ::kill(pid_t(pid), SIGKILL);
    EXPECT_TRUE(program.waitForOutput("lorvaspeak: the page renderer was killed")) << qPrintable(program.output());

    program.signal(SIGSEGV);
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(program.output().count("lorvaspeak: crashed: segmentation fault"), 1) << qPrintable(program.output());
    EXPECT_EQ(program.folder().read("Data/lorvaspeak.Opt"), options);

    program.start();
    ASSERT_TRUE(program.waitForOutput(kFirstPage)) << qPrintable(program.output());
    ASSERT_TRUE(program.stop(SIGTERM));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(program.output().contains("crash", Qt::CaseInsensitive)) << qPrintable(program.output());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
