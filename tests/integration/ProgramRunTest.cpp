#include "support/ProgramRunner.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <csignal>

using namespace lorva::test;

namespace {

const QString kFirstPage = QStringLiteral("first page loaded");

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
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(program.folder().exists("doc.txt"));
    EXPECT_FALSE(program.folder().exists("Data"));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
