// The pronunciation file and the words it replaces.
#include "config/AppError.h"
#include "config/Pronunciation.h"
#include "platform/SpeechEngine.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;

namespace {

using Damage = PronunciationDamage;

const PronunciationList kList = {{QStringLiteral("SQL"), QStringLiteral("sequel"), false},
                                 {QStringLiteral("Qt"), QStringLiteral("cute"), true},
                                 {QStringLiteral("C++"), QStringLiteral("C plus plus"), false},
                                 {QStringLiteral("e.g."), QStringLiteral("for example"), false},
                                 {QStringLiteral("Mr"), QStringLiteral("|"), false}};

QString said(const QString &text) { return applyPronunciation(text, kList).text; }

} // namespace

TEST(Pronunciation, DamagedLinesAreReportedAndSkipped)
{
    const PronunciationFile file = parsePronunciation(
        {QStringLiteral("; a note"), QString(), QStringLiteral("SQL = sequel"), QStringLiteral("New York = big apple"),
         QStringLiteral("GNU ="), QStringLiteral("sql = squeal"), QStringLiteral("Qt == cute"),
         QStringLiteral("QT = queue tea"), QStringLiteral("bin\x01" "ary = x"), QStringLiteral("a=b =tight"),
         QStringLiteral("  \tLaTeX\t==  lah tech  ")});
    EXPECT_EQ(file.entries, PronunciationList({{"SQL", "sequel", false}, {"Qt", "cute", true},
                                               {"QT", "queue tea", false}, {"LaTeX", "lah tech", true}}));
    ASSERT_EQ(file.damaged.size(), 5);
    const QList<QPair<int, Damage>> expected = {{4, Damage::NoMark}, {5, Damage::NothingSaid}, {6, Damage::Repeated},
                                                {9, Damage::ControlCharacter}, {10, Damage::NoMark}};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(file.damaged[i].line, expected[i].first);
        EXPECT_EQ(file.damaged[i].why, expected[i].second);
    }
    EXPECT_EQ(file.damaged[2].sameAs, 3);
    EXPECT_EQ(file.damaged[2].text, QStringLiteral("sql = squeal"));

    // A file past the lines that are read says so once, and keeps what came before.
    QStringList many(kMaxPronunciationLines + 1, QStringLiteral("; note"));
    many[0] = QStringLiteral("x = y");
    const PronunciationFile cut = parsePronunciation(many);
    EXPECT_EQ(cut.entries.size(), 1);
    ASSERT_EQ(cut.damaged.size(), 1);
    EXPECT_EQ(cut.damaged[0].why, Damage::TooManyLines);
    EXPECT_EQ(cut.damaged[0].line, kMaxPronunciationLines + 1);
}

TEST(Pronunciation, TheFileIsRewrittenWholeInCrLfAndReadBackTheSame)
{
    test::TempFolder folder;
    EXPECT_TRUE(readPronunciation(folder.path()).entries.isEmpty()) << "no file is an empty list";
    folder.write(kPronunciationFile, QByteArrayLiteral("SQL = sequel\r\nbroken line\r\n\x89PNG\x1a\x00\x01 = x\r\n"));
    const PronunciationFile read = readPronunciation(folder.path());
    EXPECT_EQ(read.entries.size(), 1);
    EXPECT_EQ(read.damaged.size(), 2);

    savePronunciation(folder.path(), kList);
    const QByteArray bytes = folder.read(kPronunciationFile);
    EXPECT_TRUE(bytes.contains("\r\nSQL = sequel\r\nQt == cute\r\nC++ = C plus plus\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const PronunciationFile back = readPronunciation(folder.path());
    EXPECT_EQ(back.entries, kList);
    EXPECT_TRUE(back.damaged.isEmpty());

    // Without its folder the file cannot be written: the old one is not there to lose.
    folder.remove(QStringLiteral("Data"));
    EXPECT_THROW(savePronunciation(folder.path(), kList), AppError);
}

TEST(Pronunciation, OnlyWholeWordsAreReplacedPunctuationAroundThemKept)
{
    EXPECT_EQ(said(QStringLiteral("SQL, (sql) and Sql-based; not SQLite or MySQL.")),
              QStringLiteral("sequel, (sequel) and sequel-based; not SQLite or MySQL."));
    EXPECT_EQ(said(QStringLiteral("Qt, QT and qt.")), QStringLiteral("cute, QT and qt."));
    EXPECT_EQ(said(QStringLiteral("In C++, e.g. \"C++\".")), QStringLiteral("In C plus plus, for example \"C plus plus\"."));
    EXPECT_EQ(said(QStringLiteral("Nothing here.")), QStringLiteral("Nothing here."));
    // What matches case comes first, whatever the order of the list.
    const PronunciationList both = {{"us", "you and me", false}, {"US", "United States", true}};
    EXPECT_EQ(applyPronunciation(QStringLiteral("US us Us"), both).text,
              QStringLiteral("United States you and me you and me"));
}

TEST(Pronunciation, EachWordSaidLeadsBackToTheWordWritten)
{
    const QString text = QStringLiteral("Learn C++ with Mr  Smith, e.g. now");
    const Pronounced p = applyPronunciation(text, kList);
    EXPECT_EQ(p.text, QStringLiteral("Learn C plus plus with |  Smith, for example now"));
    // "Mr" is said as nothing: no word of the voice leads to it.
    EXPECT_EQ(p.writtenWord, QList<int>({0, 1, 1, 1, 2, 4, 5, 5, 6}));
    ASSERT_EQ(p.writtenWord.size(), wordCount(p.text));
    EXPECT_EQ(applyPronunciation(text, {}).writtenWord, QList<int>({0, 1, 2, 3, 4, 5, 6}));
}
