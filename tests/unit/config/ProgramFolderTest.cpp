#include "config/AppError.h"
#include "config/ProgramFolder.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

namespace {

// An installed program folder and a user's folder to fill from it.
struct Installation
{
    TempFolder shipped;
    TempFolder home;
    QString user = home.file("lorvaspeak");

    Installation()
    {
        shipped.write("Data/Start.html", "<p>start</p>");
        shipped.write("Data/Template.Doc", "template one");
        shipped.write("Languages/Speak_english.txt", "\"English one\"\r\n");
        shipped.write("Languages/Speak_italian.txt", "\"Italiano uno\"\r\n");
    }
    QByteArray userFile(const QString &relative) const
    {
        QFile file(user + u'/' + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeUser(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(user + u'/' + relative).path());
        QFile file(user + u'/' + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

} // namespace

TEST(ProgramFolder, FirstStartCopiesEverythingShippedAndLaterStartsCopyNothing)
{
    Installation in;
    const SeedReport first = seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(first.copied, 4);
    EXPECT_EQ(in.userFile("Data/Start.html"), "<p>start</p>");
    EXPECT_EQ(in.userFile("Languages/Speak_italian.txt"), "\"Italiano uno\"\r\n");
    for (const char *folder : {"Data", "Languages", "Links", "Images"})
        EXPECT_TRUE(QFileInfo(in.user + u'/' + QLatin1String(folder)).isDir()) << folder;

    // The program's own files written since stay, and nothing is copied again.
    in.writeUser("Data/lorvaspeak.Opt", "options");
    const QDateTime listTime = QFileInfo(in.user + "/.shipped").lastModified();
    const SeedReport second = seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(second.copied + second.updated + second.kept, 0);
    EXPECT_EQ(in.userFile("Data/lorvaspeak.Opt"), "options");
    EXPECT_EQ(QFileInfo(in.user + "/.shipped").lastModified(), listTime);
}

TEST(ProgramFolder, AnUpgradeReplacesOnlyWhatTheUserLeftAsItWasShipped)
{
    Installation in;
    seedProgramFolder(in.shipped.path(), in.user);
    in.writeUser("Languages/Speak_english.txt", "\"My English\"\r\n");
    in.userFile("Data/Start.html"); // read, not changed

    // A newer installation: two files changed, one language added.
    in.shipped.write("Languages/Speak_english.txt", "\"English two, longer\"\r\n");
    in.shipped.write("Languages/Speak_italian.txt", "\"Italiano due, piu lungo\"\r\n");
    in.shipped.write("Languages/Speak_french.txt", "\"Francais\"\r\n");
    const SeedReport upgrade = seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(upgrade.copied, 1);
    EXPECT_EQ(upgrade.updated, 1);
    EXPECT_EQ(upgrade.kept, 1);
    EXPECT_EQ(in.userFile("Languages/Speak_english.txt"), "\"My English\"\r\n");
    EXPECT_EQ(in.userFile("Languages/Speak_italian.txt"), "\"Italiano due, piu lungo\"\r\n");
    EXPECT_EQ(in.userFile("Languages/Speak_french.txt"), "\"Francais\"\r\n");
    EXPECT_EQ(in.userFile("Data/Start.html"), "<p>start</p>");

    // The user's version stays through every later installation too.
    in.shipped.write("Languages/Speak_english.txt", "\"English three, longer still\"\r\n");
    seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(in.userFile("Languages/Speak_english.txt"), "\"My English\"\r\n");

    // A file the user deleted comes back as shipped.
    QFile::remove(in.user + "/Data/Template.Doc");
    EXPECT_EQ(seedProgramFolder(in.shipped.path(), in.user).copied, 1);
    EXPECT_EQ(in.userFile("Data/Template.Doc"), "template one");
}

TEST(ProgramFolder, FilesTheUserHadBeforeAreKeptInWhateverLetterCase)
{
    Installation in;
    in.writeUser("languages/SPEAK_English.TXT", "\"Mine\"\r\n");
    const SeedReport report = seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(report.kept, 1);
    EXPECT_EQ(in.userFile("languages/SPEAK_English.TXT"), "\"Mine\"\r\n");
    EXPECT_EQ(QDir(in.user + "/languages").entryList(QDir::Files).size(), 2); // no second English file
    EXPECT_FALSE(QFileInfo::exists(in.user + "/Languages"));

    // Not known to be as shipped, so a newer installation does not replace it.
    in.shipped.write("Languages/Speak_english.txt", "\"English two, longer\"\r\n");
    seedProgramFolder(in.shipped.path(), in.user);
    EXPECT_EQ(in.userFile("languages/SPEAK_English.TXT"), "\"Mine\"\r\n");
}

TEST(ProgramFolder, AWritableFolderIsUsedAsItIsAnInstalledOneNeverAndAnUnusableUserFolderIsReported)
{
    Installation in;
    EXPECT_EQ(chooseProgramFolder(in.shipped.path(), in.user), in.shipped.path());
    EXPECT_FALSE(QFileInfo::exists(in.user));
    in.shipped.write(".installed", "");
    EXPECT_EQ(chooseProgramFolder(in.shipped.path(), in.user), in.user);
    EXPECT_EQ(in.userFile("Data/Start.html"), "<p>start</p>");
    EXPECT_FALSE(in.shipped.exists("Data/lorvaspeak.Opt"));

    in.home.remove("lorvaspeak");
    in.home.write("lorvaspeak", "a file where the folder should be");
    EXPECT_THROW(seedProgramFolder(in.shipped.path(), in.user), AppError);
    EXPECT_EQ(in.home.read("lorvaspeak"), "a file where the folder should be");
}
