#include "config/ReadingPlaces.h"
#include "platform/SpeechEngine.h"
#include "speech/Speech.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;

TEST(ReadingPlaces, DamagedLinesAreSkippedAndTheRestComesBackInCrLf)
{
    test::TempFolder folder;
    folder.write("Data/Places.txt",
                 crlf({"http://a/1\t4\tThe fourth  sentence.", "no tabs at all", "http://a/2\tx\tText",
                       "http://a/3\t-2\tText", "\t3\tNo address", "http://a/4\t5\t", "http://a/5\t1\t2\tthree tabs",
                       "http://a/6\t2\tSix.", "http://a/1\t7\tLater for the same page."}) +
                     QByteArray("\x01\xff\x00binary\r\n", 12));
    const QList<ReadingPlace> places = readReadingPlaces(folder.path());
    ASSERT_EQ(places.size(), 2);
    EXPECT_EQ(places[0].address, "http://a/6");
    EXPECT_EQ(places[1].sentence, 7); // a page's later line wins and is its newest
    saveReadingPlaces(folder.path(), places);
    EXPECT_EQ(folder.read("Data/Places.txt"),
              crlf({"http://a/6\t2\tSix.", "http://a/1\t7\tLater for the same page."}));
    EXPECT_TRUE(readReadingPlaces(folder.path() + "/missing").isEmpty());
}

TEST(ReadingPlaces, TheOldestPagesGoPastTheLimitAndAPageFoundAgainMovesUp)
{
    QList<ReadingPlace> places;
    for (int i = 0; i < kMaxPlaces + 5; ++i)
        keepReadingPlace(places, {QStringLiteral("http://p/%1").arg(i), 1, QStringLiteral("Text\twith a tab.")});
    ASSERT_EQ(places.size(), kMaxPlaces);
    EXPECT_EQ(places.first().address, "http://p/5");
    EXPECT_EQ(places.first().text, "Text with a tab.");
    keepReadingPlace(places, {QStringLiteral("http://p/5"), 3, QStringLiteral("Again.")});
    EXPECT_EQ(places.last().address, "http://p/5");
    EXPECT_EQ(places.size(), kMaxPlaces);
}

TEST(ReadingPlaces, ResumeAtTheSentenceStillThereElseTheNearestSameTextElseTheTop)
{
    const QStringList page = {"Title", "One.", "Two.", "Three.", "Four."};
    EXPECT_EQ(resumeSentence(page, {"a", 3, "Three."}), 3);
    EXPECT_EQ(resumeSentence(page, {"a", 1, "Three."}), 3); // a sentence added above
    EXPECT_EQ(resumeSentence(page, {"a", 40, "Two."}), 2);
    EXPECT_EQ(resumeSentence(page, {"a", 3, "Gone."}), 0);
}

TEST(VoiceForLanguage, TheBestFitElseTheChosenVoiceWhichKeepsItsOwnLanguage)
{
    // As espeak-ng lists them.
    const QList<QList<VoiceLanguage>> voices = {
        {{"en-gb", 2}, {"en", 2}}, {{"en-us", 2}, {"en", 3}}, {{"it", 5}},
        {{"pt", 5}, {"pt-pt", 5}}, {{"pt-br", 5}, {"pt", 6}}, {}};
    EXPECT_EQ(voiceForLanguage(voices, "it", 0), 2);
    EXPECT_EQ(voiceForLanguage(voices, "it-IT", 0), 2);
    EXPECT_EQ(voiceForLanguage(voices, "pt-BR", 0), 4);
    EXPECT_EQ(voiceForLanguage(voices, "pt_PT", 0), 3);
    EXPECT_EQ(voiceForLanguage(voices, "pt", 0), 3);
    EXPECT_EQ(voiceForLanguage(voices, "en-GB", 1), 0);
    EXPECT_EQ(voiceForLanguage(voices, "en", 1), 1);    // the American voice stays
    EXPECT_EQ(voiceForLanguage(voices, "en-AU", 1), 1);
    EXPECT_EQ(voiceForLanguage(voices, "en-AU", 2), 0);
    EXPECT_EQ(voiceForLanguage(voices, "xx", 1), 1);    // nobody speaks it
    EXPECT_EQ(voiceForLanguage(voices, "", 5), 5);
}
