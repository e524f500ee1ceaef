// Speed of the office exports in the real window with real LibreOffice: for
// each format, the time from the save dialog's acceptance to the
// confirmation when the user spends 1.5 s in the dialog, the whole export
// (command to confirmation) when the user answers at once, side by side with
// `soffice --headless --convert-to doc` of the same HTML, and the longest
// stall of the event loop during the exports. Needs an X display.
// `export faults` measures instead what goes wrong around the office: the
// Word export of a long packaged page, exports whose office is killed
// half-way (what they leave in the temporary folders, and whether the next
// export works), and the Word export of text pages of 4.5 MB and 50 MB (the
// event loop's longest stall, and how the export ends), beside the longest
// stall with nothing to do (the machine's own noise).
#include "app/Program.h"
#include "browser/frmStart.h"
#include "commands/CommandKeys.h"
#include "export/OfficeExports.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/OfficeBridge.h"
#include "platform/Platform.h"
#include "support/HttpServer.h"
#include "support/Office.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QDirIterator>
#include <QMap>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <csignal>
#include <unistd.h>

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
    std::function<void()> onSave; // when the name has been chosen
    QString failure;              // the last failure message
    QString information;          // the last information message
};

class TimedDialogs : public Dialogs
{
public:
    explicit TimedDialogs(Clock &clock) : m_clock(clock) {}
    void failure(const QString &message, int) override
    {
        m_clock.failure = message;
        std::fprintf(stderr, "failure: %s\n", qPrintable(message.left(300)));
    }
    void information(const QString &, const QString &text) override
    {
        m_clock.information = text;
        m_clock.confirmed = m_clock.clock.elapsed();
    }
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
        if (m_clock.onSave)
            m_clock.onSave();
        return m_clock.name;
    }
    std::optional<QString> saveFileNameAsking(const QString &, const QString &) override { return {}; }

private:
    Clock &m_clock;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// What the exports may leave in the temporary folder: the office's pipes
// (sockets that nobody listens on any more) and "lu*.tmp" folders, the
// exports' profiles and folders, each with the bytes below it.
QMap<QString, qint64> officeLeftovers()
{
    const auto bytesBelow = [](const QString &path) {
        qint64 bytes = 0;
        QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            bytes += QFileInfo(it.next()).size();
        return bytes;
    };
    QMap<QString, qint64> found;
    for (const QString &pipe : deadOfficePipes())
        found[pipe] = 0;
    const QDir tmp(QStringLiteral("/tmp"));
    const QString area = QStringLiteral("lorvaspeak-%1").arg(getuid());
    for (const QString &name : tmp.entryList({"lu*.tmp", "lorvaspeak-office-*", "lorvaspeak-page-*"},
                                             QDir::AllEntries | QDir::Hidden | QDir::System))
        found[name] = bytesBelow(tmp.filePath(name));
    for (const QString &name : QDir(tmp.filePath(area)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        found[area + u'/' + name] = bytesBelow(tmp.filePath(area + u'/' + name));
    return found;
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
    // The real platform with the office helper of the build and timed dialogs.
    std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
    platform->createDialogs = [&clock](QWidget *) { return std::make_unique<TimedDialogs>(clock); };
    platform->office = createOfficeBridge(QStringLiteral(LORVA_BIN_DIR "/lorvaspeak-office"));
    Program program(folder.path(), *platform);
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

    const bool faults = argc > 1 && QByteArray(argv[1]) == "faults";

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
        QString key;
        const char *label;
        const char *extension;
    } formats[] = {{keys::SaveWordH, "Word", ".doc"}, {keys::SavePdf, "PDF", ".pdf"}, {keys::SaveExcel, "Excel", ".xls"}};
    constexpr int kRounds = 5;
    if (faults) {
        // The machine's own noise: the longest pause with nothing to do.
        ticks.start();
        last = 0;
        longest = 0;
        stall.start();
        QTest::qWait(10000);
        stall.stop();
        std::printf("longest stall of the event loop over 10 s with nothing to do: %lld ms\n",
                    static_cast<long long>(longest));

        const auto exportWord = [&](const QString &file, int dialogMs = 0) {
            clock.dialogMs = dialogMs;
            clock.name = folder.file("out/" + file);
            QDir().mkpath(folder.file("out"));
            clock.confirmed = -1;
            clock.failure.clear();
            clock.clock.start();
            ticks.start();
            last = 0;
            longest = 0;
            stall.start();
            program.context().dispatcher.click(elements::StartMenus, keys::SaveWordH);
            stall.stop();
            return QFileInfo::exists(clock.name);
        };
        const auto open = [&](const QString &path) {
            window.Web(0)->Navigate(server.url(path));
            QElapsedTimer w;
            w.start();
            while ((window.Web(0)->LocationURL() != server.url(path) || window.Web(0)->Busy()) && w.elapsed() < 600000)
                QTest::qWait(20);
            return qint64(w.elapsed());
        };

        // A long page of packaged documentation.
        if (!server.addFile("/long", "/usr/share/debian-reference/ch01.en.html")) {
            std::fprintf(stderr, "install debian-reference-en\n");
            return 1;
        }
        open("/long");
        std::vector<double> times;
        for (int round = 0; round < kRounds; ++round) {
            if (exportWord(QStringLiteral("Long-%1.doc").arg(round)))
                times.push_back(double(clock.confirmed));
            QTest::qWait(300);
        }
        std::printf("Word export of ch01.en.html (%lld bytes), command to confirmation: median %.0f ms (%zu of %d ok); "
                    "longest stall %lld ms\n",
                    static_cast<long long>(QFileInfo("/usr/share/debian-reference/ch01.en.html").size()), median(times),
                    times.size(), kRounds, static_cast<long long>(longest));

        // Text pages of 4.5 MB (a little less than an export takes) and of 50 MB.
        for (const int megabytes : {4, 50}) {
            const qsizetype size = megabytes == 4 ? 4'500'000 : qsizetype(megabytes) * 1024 * 1024;
            QByteArray text;
            text.reserve(size + 100);
            for (int line = 0; text.size() < size; ++line)
                text += "Line " + QByteArray::number(line) + " of a very long text page, which nobody reads whole.\n";
            const QString path = QStringLiteral("/text-%1.txt").arg(megabytes);
            server.addPage(path, text);
            const qint64 loadMs = open(path);
            clock.information.clear();
            const bool made = exportWord(QStringLiteral("Text-%1.doc").arg(megabytes));
            std::printf("%.1f MB text page (loaded in %lld ms): document %s, message after %lld ms; longest stall of the "
                        "event loop %lld ms\n  message: %s\n",
                        double(text.size()) / 1e6, static_cast<long long>(loadMs), made ? "made" : "not made",
                        static_cast<long long>(clock.clock.elapsed()), static_cast<long long>(longest),
                        qPrintable((clock.information.isEmpty() ? clock.failure : clock.information).left(200)));
            std::fflush(stdout);
        }
        // The office killed half-way through, again and again; each time an
        // export right after it.
        open("/long");
        constexpr int kKills = 5;
        const QMap<QString, qint64> before = officeLeftovers();
        int killed = 0, failedAsExpected = 0, afterwardsOk = 0;
        for (int round = 0; round < kKills; ++round) {
            // The user spends 3 s in the dialog: the office is ready then,
            // and at work on the page when it is killed.
            clock.onSave = [&] {
                QTimer::singleShot(300, [&] {
                    if (const pid_t office = descendant(QStringLiteral("soffice.bin"))) {
                        ::kill(office, SIGKILL);
                        ++killed;
                    }
                });
            };
            if (!exportWord(QStringLiteral("Killed-%1.doc").arg(round), 3000))
                ++failedAsExpected;
            clock.onSave = nullptr;
            QTest::qWait(1000);
            if (exportWord(QStringLiteral("After-%1.doc").arg(round)))
                ++afterwardsOk;
            QTest::qWait(1000);
        }
        const QMap<QString, qint64> after = officeLeftovers();
        QStringList left;
        qint64 bytes = 0;
        for (auto it = after.begin(); it != after.end(); ++it) {
            if (!before.contains(it.key())) {
                left << it.key();
                bytes += it.value();
            }
        }
        const QStringList locks = QDir(folder.file("Data")).entryList({".~lock*"}, QDir::Files | QDir::Hidden);
        std::printf("office killed %d times during %d exports (%d failed); the export right after: %d of %d ok\n", killed,
                    kKills, failedAsExpected, afterwardsOk, kKills);
        std::printf("left behind in /tmp: %lld entries, %lld bytes: %s\n", static_cast<long long>(left.size()),
                    static_cast<long long>(bytes), qPrintable(left.join(' ')));
        std::printf("lock files in Data: %s\n", locks.isEmpty() ? "none" : qPrintable(locks.join(' ')));

        window.close();
        return 0;
    }
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
            program.context().dispatcher.click(elements::StartMenus, format.key);
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
        QString key;
        const char *label;
        const char *file;
        int fixedMs;
    } keepers[] = {{keys::SavePpt, "PowerPoint slide", "out/Show.ppt", 3000},
                   {keys::SaveHtml, "web archive", "out/Page.mht", 1000},
                   {keys::EditView, "page source", "", 0},
                   {keys::EditPicture, "picture grab", "", 3100}};
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
            program.context().dispatcher.click(elements::StartMenus, keeper.key);
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
