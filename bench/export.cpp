// Speed of the office exports in the real window with real LibreOffice: for
// each format, the time from the save dialog's acceptance to the
// confirmation when the user spends 1.5 s in the dialog, the whole export
// (command to confirmation) when the user answers at once, side by side with
// `soffice --headless --convert-to doc` of the same HTML, and the longest
// stall of the event loop during the exports. Needs an X display.
#include "app/Program.h"
#include "browser/frmStart.h"
#include "export/OfficeExports.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/OfficeBridge.h"
#include "support/ForwardingPlatform.h"
#include "support/HttpServer.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace lorva;
using namespace lorva::test;

namespace {

struct Clock
{
    QElapsedTimer clock;
    qint64 accepted = 0;
    qint64 confirmed = -1;
    int dialogMs = 0;
    QString name;
};

class TimedDialogs : public Dialogs
{
public:
    explicit TimedDialogs(Clock &clock) : m_clock(clock) {}
    void failure(const QString &message, int) override { std::fprintf(stderr, "failure: %s\n", qPrintable(message)); }
    void information(const QString &, const QString &) override { m_clock.confirmed = m_clock.clock.elapsed(); }
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override
    {
        // The user reads the dialog meanwhile; the program's events go on.
        if (m_clock.dialogMs > 0) {
            QEventLoop loop;
            QTimer::singleShot(m_clock.dialogMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        m_clock.accepted = m_clock.clock.elapsed();
        return m_clock.name;
    }

private:
    Clock &m_clock;
};

class BenchPlatform : public ForwardingPlatform
{
public:
    BenchPlatform(std::unique_ptr<Platform> real, Clock &clock)
        : ForwardingPlatform(std::move(real), [] { return createDesktopAudio(); }), m_clock(clock),
          m_office(createOfficeBridge(QStringLiteral(LORVA_BIN_DIR "/lorvaspeak-office")))
    {
    }
    std::unique_ptr<Dialogs> createDialogs(QWidget *) override { return std::make_unique<TimedDialogs>(m_clock); }
    OfficeSuite &office() override { return *m_office; }

private:
    Clock &m_clock;
    std::unique_ptr<OfficeSuite> m_office;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "export: needs an X display (DISPLAY)\n");
        return 1;
    }
    preparePlatform();
    QApplication app(argc, argv);

    HttpServer server;
    QByteArray body = "<h1>Benchmark page</h1><p>Caff\xC3\xA8 and cr\xC3\xA8me, a paragraph of text.</p><table border=1>";
    for (int i = 0; i < 50; ++i)
        body += "<tr><td>Row " + QByteArray::number(i) + "</td><td>" + QByteArray::number(i * i) + "</td></tr>";
    body += "</table>";
    server.addPage("/page", "<!DOCTYPE html><html><head><title>Benchmark</title></head><body>" + body + "</body></html>");
    TempFolder folder;
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_BIN_DIR) + '/' + sub);
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/page") + "\r\nEnglish\r\n").toUtf8());

    Clock clock;
    BenchPlatform platform(createRealPlatform(folder.path()), clock);
    Program program(folder.path(), platform);
    frmStart &window = program.mainWindow();
    program.load(QDate::currentDate());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QElapsedTimer wait;
    wait.start();
    while ((window.Web(0)->LocationURL() != server.url("/page") || window.Web(0)->Busy() ||
            program.context().exports.templatePath.isEmpty()) &&
           wait.elapsed() < 20000)
        QTest::qWait(20);

    // The event loop's longest pause while the exports run.
    qint64 last = 0, longest = 0;
    QElapsedTimer ticks;
    QTimer stall;
    stall.setInterval(5);
    QObject::connect(&stall, &QTimer::timeout, [&] {
        const qint64 now = ticks.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });

    struct Format
    {
        const char *key;
        const char *label;
        const char *extension;
    } formats[] = {{"SAVE:WORDH", "Word", ".doc"}, {"SAVE:PDF", "PDF", ".pdf"}, {"SAVE:EXCEL", "Excel", ".xls"}};
    constexpr int kRounds = 5;
    for (const Format &format : formats) {
        std::vector<double> afterDialog, whole;
        for (int round = 0; round < 2 * kRounds; ++round) {
            const bool reading = round % 2 == 0;
            clock.dialogMs = reading ? 1500 : 0;
            clock.name = folder.file(QStringLiteral("out/%1-%2%3").arg(format.label).arg(round).arg(format.extension));
            QDir().mkpath(folder.file("out"));
            clock.confirmed = -1;
            clock.clock.start();
            ticks.start();
            last = 0;
            stall.start();
            program.context().dispatcher.click(elements::StartMenus, QString::fromLatin1(format.key));
            stall.stop();
            if (clock.confirmed < 0)
                continue;
            if (reading)
                afterDialog.push_back(double(clock.confirmed - clock.accepted));
            else
                whole.push_back(double(clock.confirmed));
            QTest::qWait(300);
        }
        std::printf("%-5s: dialog accepted (after 1.5 s in it) to confirmation: median %4.0f ms; whole export, "
                    "answered at once: median %4.0f ms (%zu + %zu runs)\n",
                    format.label, median(afterDialog), median(whole), afterDialog.size(), whole.size());
    }

    // The screen-picture commands and the page keepers: command to message,
    // with the fixed waits that the commands make (to let the window settle
    // before and after the picture) apart from the program's own work.
    struct Keeper
    {
        const char *key;
        const char *label;
        const char *file;
        int fixedMs;
    } keepers[] = {{"SAVE:PPT", "PowerPoint slide", "out/Show.ppt", 3000},
                   {"SAVE:HTML", "web archive", "out/Page.mht", 1000},
                   {"EDIT:VIEW", "page source", "", 0},
                   {"EDIT:PICTURE", "picture grab", "", 3100}};
    for (const Keeper &keeper : keepers) {
        std::vector<double> total;
        for (int round = 0; round < 3; ++round) {
            clock.dialogMs = 0;
            clock.name = folder.file(QString::fromLatin1(keeper.file));
            clock.confirmed = -1;
            clock.clock.start();
            ticks.start();
            last = 0;
            stall.start();
            program.context().dispatcher.click(elements::StartMenus, QString::fromLatin1(keeper.key));
            stall.stop();
            // The page source ends in the text editor, not in a message.
            total.push_back(double(clock.confirmed >= 0 ? clock.confirmed : clock.clock.elapsed()));
            QTest::qWait(300);
        }
        const double m = median(total);
        std::printf("%-16s: command to message median %5.0f ms = %4d ms of fixed waits + %4.0f ms of work\n",
                    keeper.label, m, keeper.fixedMs, m - keeper.fixedMs);
    }

    // The same HTML through the office's own command line.
    QFile::copy(folder.file("html.txt"), folder.file("page.html"));
    std::vector<double> converted;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer c;
        c.start();
        QProcess::execute("soffice", {"--headless", "--convert-to", "doc:MS Word 97", "--outdir", folder.file("convert"),
                                      folder.file("page.html")});
        if (!QFileInfo::exists(folder.file("convert/page.doc")))
            std::fprintf(stderr, "soffice --convert-to made no document\n");
        QFile::remove(folder.file("convert/page.doc"));
        converted.push_back(double(c.elapsed()));
    }
    std::printf("soffice --headless --convert-to doc of the same HTML: median %.0f ms (%d runs)\n", median(converted),
                kRounds);
    std::printf("longest stall of the event loop during the exports: %lld ms\n", static_cast<long long>(longest));
    window.close();
    return 0;
}
