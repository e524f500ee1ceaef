// Download throughput of the real program against curl: one large file
// served from memory on 127.0.0.1, saved by the main window's download path
// (the real engine profile, the file name given where the save dialog would
// ask) and by curl from the same server in the same run, each a few times in
// turn. Prints MB/s (10^6 bytes a second) of each, their ratio, the
// engine's download alone (no program around it), and curl's rate into
// /dev/null as the ceiling of the server and the loopback. Needs an X
// display and curl. The size in MB is the first argument (200); a second
// argument caps the server at that many MB a second, as a network link
// would (none: as fast as the loopback goes).
#include "ShownProgram.h"
#include "app/Program.h"
#include "browser/frmStart.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/Downloads.h"
#include "platform/Platform.h"
#include "support/HttpServer.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

using namespace lorva;
using namespace lorva::test;

namespace {

struct Run
{
    QString target;
    QElapsedTimer clock;
    qint64 doneMs = -1;
    QString failure;
    QEventLoop *waiting = nullptr; // quits when the download has ended
};

// The save dialog answers with the run's target at once; the closing
// message stops the clock.
class BenchDialogs : public Dialogs
{
public:
    explicit BenchDialogs(Run &run) : m_run(run) {}
    void failure(const QString &message, int) override
    {
        m_run.failure = message;
        if (m_run.waiting)
            m_run.waiting->quit();
    }
    void information(const QString &, const QString &) override
    {
        m_run.doneMs = m_run.clock.elapsed();
        if (m_run.waiting)
            m_run.waiting->quit();
    }
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileNameAsking(const QString &, const QString &) override { return m_run.target; }

private:
    Run &m_run;
};

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

double megabytesPerSecond(qint64 bytes, qint64 ms) { return ms > 0 ? bytes / 1e6 / (ms / 1000.0) : 0; }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// curl's time for the whole transfer, or -1.
qint64 curl(const QString &url, const QString &target)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(QStringLiteral("curl"), {QStringLiteral("-sf"), QStringLiteral("-o"), target, url});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    preparePlatform();
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "download: needs an X display (DISPLAY)\n");
        return 2;
    }
    const qsizetype size = qsizetype(argc > 1 ? QByteArray(argv[1]).toLongLong() : 200) * 1000 * 1000;
    const int capMBps = argc > 2 ? qBound(0, QByteArray(argv[2]).toInt(), 2000) : 0;
    constexpr int kRuns = 3;

    QByteArray body(size, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(body.data()), size / 4);
    const QByteArray served = QCryptographicHash::hash(body, QCryptographicHash::Sha256);
    HttpServer server;
    server.addPage(QStringLiteral("/"), "<html><head><title>Start</title></head><body><p>Start.</p></body></html>");
    server.addDownload(QStringLiteral("/big.bin"), body, QStringLiteral("big.bin"), capMBps * 1000 * 1000);
    const QString url = server.url(QStringLiteral("/big.bin"));

    TempFolder folder;
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub); // the shipped files only
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/") + "\r\nEnglish\r\n").toUtf8());
    QDir().mkpath(folder.file("out"));

    Run run;
    auto platform = createRealPlatform(folder.path());
    platform->createDialogs = [&run](QWidget *) { return std::make_unique<BenchDialogs>(run); };
    Program program(folder.path(), *platform);
    frmStart &window = program.mainWindow();
    if (!bench::showMainWindow(program))
        return 1;
    QTest::qWait(1500);

    // The engine's download alone, through the same platform port but with
    // none of the program's handling (dialog, status strip, messages): how
    // much of the gap to curl is the engine's own.
    const auto engineAlone = [&](const QString &target) -> qint64 {
        auto watching = std::exchange(platform->downloads->requested, nullptr);
        QEventLoop loop;
        QElapsedTimer clock;
        qint64 doneMs = -1;
        platform->downloads->requested = [&](const std::shared_ptr<Download> &download) {
            download->ended = [&](DownloadEnd end, const QString &) {
                if (end == DownloadEnd::Completed)
                    doneMs = clock.elapsed();
                loop.quit();
            };
            download->accept(target);
        };
        QTimer::singleShot(600000, &loop, &QEventLoop::quit);
        clock.start();
        window.Web(0)->Navigate(url);
        loop.exec();
        platform->downloads->requested = std::move(watching);
        return doneMs;
    };

    std::vector<double> program_, curl_, ceiling, engine;
    bool identical = true;
    for (int i = 0; i < kRuns; ++i) {
        // The program's thread sleeps in its event loop, as it does for a person.
        QEventLoop loop;
        run = Run{folder.file(QStringLiteral("out/program%1.bin").arg(i)), {}, -1, {}, &loop};
        QTimer::singleShot(600000, &loop, &QEventLoop::quit);
        run.clock.start();
        window.Web(0)->Navigate(url);
        loop.exec();
        run.waiting = nullptr;
        if (run.doneMs < 0) {
            std::fprintf(stderr, "the program's download did not finish: %s\n", qPrintable(run.failure));
            return 1;
        }
        program_.push_back(megabytesPerSecond(size, run.doneMs));
        identical = identical && digestOf(run.target) == served;
        QFile::remove(run.target);

        const QString alone = folder.file(QStringLiteral("out/engine%1.bin").arg(i));
        engine.push_back(megabytesPerSecond(size, engineAlone(alone)));
        identical = identical && digestOf(alone) == served;
        QFile::remove(alone);

        const QString curled = folder.file(QStringLiteral("out/curl%1.bin").arg(i));
        const qint64 curlMs = curl(url, curled);
        if (curlMs < 0) {
            std::fprintf(stderr, "curl failed\n");
            return 1;
        }
        curl_.push_back(megabytesPerSecond(size, curlMs));
        identical = identical && digestOf(curled) == served;
        QFile::remove(curled);
        ceiling.push_back(megabytesPerSecond(size, curl(url, QStringLiteral("/dev/null"))));
        std::printf("run %d: program %.0f MB/s, engine alone %.0f MB/s, curl %.0f MB/s, curl into /dev/null %.0f MB/s\n",
                    i + 1, program_.back(), engine.back(), curl_.back(), ceiling.back());
    }
    const double p = median(program_);
    const double c = median(curl_);
    std::printf("file: %.0f MB, %d runs each, medians; server %s\n", size / 1e6, kRuns,
                capMBps > 0 ? qPrintable(QStringLiteral("capped at %1 MB/s").arg(capMBps)) : "uncapped");
    std::printf("program: %.0f MB/s\ncurl: %.0f MB/s\nprogram / curl: %.2f\n", p, c, c > 0 ? p / c : 0);
    std::printf("engine alone (the port accepting at once, no program around it): %.0f MB/s\n", median(engine));
    std::printf("curl into /dev/null (server and loopback ceiling): %.0f MB/s\n", median(ceiling));
    std::printf("bytes identical to what was served: %s\n", identical ? "yes" : "NO");
    window.close();
    return identical ? 0 : 1;
}
