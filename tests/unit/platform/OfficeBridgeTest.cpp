// The office bridge against stand-ins for its helper program: shell scripts
// that play one part each (answer, hang, die).
#include "platform/OfficeBridge.h"
#include "platform/office/Protocol.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utime.h>

using namespace lorva;
using namespace lorva::test;

namespace {

struct Bridge : ::testing::Test
{
    int argc = 0;
    QCoreApplication app{argc, nullptr};
    TempFolder folder;
    QString area = folder.file("area"); // the exports' temporary area

    QString helper() const { return folder.file("helper"); }
    // The next helper started plays `script`.
    void play(const QByteArray &script)
    {
        folder.write("helper", "#!/bin/sh\n" + script);
        QFile::setPermissions(helper(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    template <typename Predicate>
    bool waitUntil(Predicate done, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            usleep(5000);
        }
        return true;
    }
    QStringList inArea() const { return QDir(area).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

// A shell line that says `message` as the real helper would.
QByteArray say(const office::Message &message)
{
    return "echo '" + office::encodeMessage(message).trimmed() + "'\n";
}

office::Message ready() { return {office::Message::Event::Ready, {}, {}, 4242}; }

office::Message done(OfficeResult result)
{
    office::Message message;
    message.event = office::Message::Event::Done;
    message.result = std::move(result);
    return message;
}

} // namespace

TEST_F(Bridge, WorkGivenUpIsNeverAnsweredNotEvenWhenTheNextHelperDiesBeforeItsWork)
{
    // The helper takes the work and never answers: its office hangs.
    play(say(ready()) + "read line\nexec sleep 60\n");
    const auto office = createOfficeBridge(helper(), area);
    int givenUp = 0;
    office->run(OfficeJob{}, [&givenUp](const OfficeResult &) { ++givenUp; });
    office->cancel(); // the export stops waiting

    // The next export's helper dies before its work comes.
    play("touch '" + folder.file("died").toUtf8() + "'\nexit 3\n");
    office->prepare();
    ASSERT_TRUE(waitUntil([&] { return folder.exists("died"); }, 5000));
    waitUntil([&] { return givenUp > 0; }, 500);
    std::optional<OfficeResult> next;
    office->run(OfficeJob{}, [&next](const OfficeResult &r) { next = r; });
    ASSERT_TRUE(waitUntil([&] { return next.has_value(); }, 5000));

    EXPECT_EQ(givenUp, 0);
    EXPECT_FALSE(next->ok);
    EXPECT_EQ(next->error, QStringLiteral("the office ended before the work came"));
    // Both helpers are gone, and so are their folders.
    EXPECT_TRUE(waitUntil([&] { return inArea().isEmpty(); }, 5000)) << qPrintable(inArea().join(' '));
}

TEST_F(Bridge, AnExportsFolderGoesWithItsHelperAndFoldersNobodyHoldsGoAtTheNextExport)
{
    // Left by a killed program: nobody holds it any more.
    folder.write("area/lorvaspeak-office-stale/profile/user/registrymodifications.xcu", "x");
    folder.write("area/lorvaspeak-office-stale/owner", "");
    // Held by another program's export under way.
    folder.write("area/lorvaspeak-office-held/owner", "");
    const int held = ::open(folder.file("area/lorvaspeak-office-held/owner").toUtf8().constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_SH), 0);
    for (const char *name : {"area/lorvaspeak-office-stale", "area/lorvaspeak-office-held"}) {
        const utimbuf old{::time(nullptr) - 60, ::time(nullptr) - 60};
        ::utime(folder.file(name).toUtf8().constData(), &old);
    }

    // The helper works in the folder it is given, and answers.
    play("echo \"$LORVASPEAK_OFFICE_FOLDER\" > '" + folder.file("given").toUtf8() +
         "'\ntouch \"$LORVASPEAK_OFFICE_FOLDER/lu1234.tmp\"\n"
         + say(ready()) + "read line\n" + say(done({true, {}, 0})));
    const auto office = createOfficeBridge(helper(), area);
    std::optional<OfficeResult> result;
    office->run(OfficeJob{}, [&result](const OfficeResult &r) { result = r; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, 5000));
    EXPECT_TRUE(result->ok);
    const QString given = QString::fromUtf8(folder.read("given")).trimmed();
    EXPECT_TRUE(given.startsWith(area + "/lorvaspeak-office-")) << qPrintable(given);

    EXPECT_TRUE(waitUntil([&] { return inArea() == QStringList({"lorvaspeak-office-held"}); }, 5000))
        << qPrintable(inArea().join(' '));
    ::close(held);
}

TEST_F(Bridge, TheHelperReadsTheJobAsSentTheProgramTheAnswerAsSaidAndAnotherVersionIsRefused)
{
    const OfficeJob job{OfficeJob::Kind::Pdf, "/tmp/a \"page\".html", "/t/modèle.dot", true,
                        "/o/a b.pdf",         "/o/a b.doc",            "Title: [1] \\ 'x'"};
    const OfficeResult answer{false, QStringLiteral("the disk is full: \"/o\""), 4};
    play(say(ready()) + "read -r line\nprintf '%s\\n' \"$line\" > '" + folder.file("job").toUtf8() + "'\n" +
         say(done(answer)));
    const auto office = createOfficeBridge(helper(), area);
    std::optional<OfficeResult> result;
    office->run(job, [&result](const OfficeResult &r) { result = r; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, 5000));
    EXPECT_EQ(*result, answer);
    QString error;
    const std::optional<OfficeJob> received = office::decodeJob(folder.read("job").trimmed(), error);
    ASSERT_TRUE(received.has_value()) << qPrintable(error);
    EXPECT_EQ(*received, job);

    // A helper of another build: its answer is not taken for one.
    play("echo '{\"event\":\"ready\",\"version\":0}'\nread line\necho '{\"event\":\"done\",\"ok\":true,\"version\":0}'\n");
    result.reset();
    office->run(job, [&result](const OfficeResult &r) { result = r; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, 5000));
    EXPECT_FALSE(result->ok);
    EXPECT_TRUE(result->error.contains(QStringLiteral("version 0"))) << qPrintable(result->error);

    // And a program of another build: the helper refuses its job.
    QByteArray newer = office::encodeJob(job).trimmed();
    newer.replace("\"version\":1", "\"version\":2");
    EXPECT_FALSE(office::decodeJob(newer, error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("version 2"))) << qPrintable(error);
}
