#include "app/KeptFiles.h"

#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lorva;
using namespace lorva::test;

// What the program keeps is written when it changes, and only then.
TEST(KeptFiles, WritesAChangeOnceAndReportsAFailureOnce)
{
    TempFolder folder;
    QStringList lines{"first"};
    KeptFiles kept;
    kept.keep(folder.file("kept.txt"), "test", [&] { return lines; });
    kept.keep(folder.file("missing/other.txt"), "test", [&] { return lines; });

    EXPECT_TRUE(kept.saveChanged().isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("kept.txt"))) << "nothing changed, nothing to write";

    lines << "second";
    const QStringList failures = kept.saveChanged();
    EXPECT_EQ(folder.read("kept.txt"), QByteArray("first\r\nsecond\r\n"));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("other.txt")) << failures.first().toStdString();

    // Unchanged: neither rewritten nor reported again.
    QFile::remove(folder.file("kept.txt"));
    EXPECT_TRUE(kept.saveChanged().isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("kept.txt")));

    lines = {"third"};
    EXPECT_EQ(kept.saveChanged().size(), 1);
    EXPECT_EQ(folder.read("kept.txt"), QByteArray("third\r\n"));
}
