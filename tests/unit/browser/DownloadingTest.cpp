#include "browser/Downloading.h"
#include "config/Language.h"
#include "fakes/FakeProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::FakeProgram;

namespace {

// The main window with the shipped English texts, watching the downloads.
struct Window : FakeProgram
{
    Window()
    {
        Read_Language(QStringLiteral(LORVA_DATA_DIR), QStringLiteral("english"), ctx.language);
        watchDownloads(main, ctx.downloads);
        window.dialogs.saveAnswer = QStringLiteral("/tmp/chosen/report.pdf");
    }
    ~Window() { abandonDownloads(main, ctx.downloads); }

    QString strip() const { return window.downloadStatus ? window.downloadStatus->first : QString(); }
    int bar() const { return window.downloadStatus ? window.downloadStatus->second : -2; }
};

} // namespace

TEST(Downloads, TheStripTellsNameAndSizesOfOneAndTheCountOfSeveralEvenWhenASizeIsUnknown)
{
    Window w;
    auto report = w.platform.fakeDownloads.start(QStringLiteral("report.pdf"), 3 * 1024 * 1024);
    ASSERT_EQ(report->acceptedAs, QStringLiteral("/tmp/chosen/report.pdf"));
    // Offered in the user's download folder (the home folder without one).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    EXPECT_TRUE(w.window.calls.contains("saveAsking Save the download as " + folder + "/report.pdf"))
        << qPrintable(w.window.calls.join('\n'));
    EXPECT_EQ(w.strip(), QStringLiteral("Downloading report.pdf: 0 B of 3.0 MB"));
    EXPECT_EQ(w.bar(), 0);
    report->arrive(1536 * 1024);

    w.window.dialogs.saveAnswer = QStringLiteral("/tmp/chosen/stream.bin");
    auto stream = w.platform.fakeDownloads.start(QStringLiteral("stream.bin"), -1);
    EXPECT_EQ(w.strip(), QStringLiteral("2 downloads: 1.5 MB"));
    EXPECT_EQ(w.bar(), -1);

    stream->end(DownloadEnd::Failed, QStringLiteral("Network disconnected"));
    EXPECT_EQ(w.window.dialogs.failures,
              QStringList{QStringLiteral("The download of stream.bin failed: Network disconnected")});
    EXPECT_EQ(w.strip(), QStringLiteral("Downloading report.pdf: 1.5 MB of 3.0 MB"));
    EXPECT_EQ(w.bar(), 50);

    // A name the dialog was cancelled on is never downloaded.
    w.window.dialogs.saveAnswer.reset();
    auto refused = w.platform.fakeDownloads.start(QStringLiteral("other.zip"), 10);
    EXPECT_FALSE(refused->acceptedAs);
    EXPECT_EQ(w.strip(), QStringLiteral("Downloading report.pdf: 1.5 MB of 3.0 MB"));

    report->end(DownloadEnd::Completed);
    EXPECT_FALSE(w.window.downloadStatus);
    EXPECT_EQ(w.window.dialogs.informations,
              QStringList{QStringLiteral("lorvaspeak|Download complete, saved as /tmp/chosen/report.pdf")});
}
