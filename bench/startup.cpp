// Start-up time of the real program: from process start to the main window
// shown, to the first page (served on 127.0.0.1) loaded and to the start-up
// tail (the link-group titles) done, with five tabs, and the program's peak
// resident memory (VmHWM) by then. Needs an X display.
//
// Two variants: the shipped files (median of five runs), and the same with
// 100 MB placement, history, link-group title and group files, each far
// larger than what its reader uses: startup [runs of the second variant, 3].
#include "support/HttpServer.h"
#include "support/ProgramRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <vector>

using namespace lorva::test;

namespace {

constexpr qint64 kLargeFileBytes = 100 * 1000 * 1000;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Peak resident memory of a process in MB.
double peakMemoryMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// `head`, then `filler` repeated until the file holds `bytes` bytes.
void writeLarge(const QString &path, const QByteArray &head, const QByteArray &filler, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(head);
    QByteArray block;
    while (block.size() < (1 << 20))
        block += filler;
    for (qint64 left = bytes - head.size(); left > 0; left -= block.size())
        file.write(block.constData(), std::min<qint64>(left, block.size()));
}

struct Figures
{
    std::vector<double> shown, loaded, tail, peak;
};

bool run(const HttpServer &server, const std::function<void(TempFolder &)> &prepare, int index, Figures &out)
{
    ProgramRunner program;
    program.folder().write("Data/lorvaspeak.Opt",
                           (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + server.url("/") + "\r\nEnglish\r\n").toUtf8());
    if (prepare)
        prepare(program.folder());
    // Long enough for readers that take minutes over a large file.
    const auto patience = std::chrono::minutes(5);
    QElapsedTimer clock;
    clock.start();
    program.start();
    const auto stage = [&](const char *text, std::vector<double> &into) {
        if (!program.waitForOutput(QString::fromLatin1(text), patience)) {
            std::fprintf(stderr, "run %d: no \"%s\"\n%s", index, text, qPrintable(program.output()));
            return false;
        }
        into.push_back(double(clock.nsecsElapsed()) / 1e6);
        return true;
    };
    if (!stage("main window shown", out.shown) || !stage("first page loaded", out.loaded) ||
        !stage("start-up tail done", out.tail))
        return false;
    out.peak.push_back(peakMemoryMb(program.processId()));
    program.stop(SIGTERM, patience);
    std::printf("run %d: window shown %.0f ms, first page loaded %.0f ms, start-up tail done %.0f ms, "
                "peak memory %.1f MB\n",
                index, out.shown.back(), out.loaded.back(), out.tail.back(), out.peak.back());
    std::fflush(stdout);
    return true;
}

void summary(const char *variant, int runs, const Figures &f)
{
    std::printf("median over %d runs (5 tabs, %s): main window shown %.0f ms, first page loaded %.0f ms, "
                "start-up tail done %.0f ms, peak memory %.1f MB\n",
                runs, variant, median(f.shown), median(f.loaded), median(f.tail), median(f.peak));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!haveDisplay()) {
        std::fprintf(stderr, "startup: needs an X display (DISPLAY)\n");
        return 2;
    }
    const int largeRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    HttpServer server;
    server.addPage("/", "<html><head><title>Bench</title></head><body><p>Start-up page.</p></body></html>");

    constexpr int kRuns = 5;
    Figures shipped;
    for (int i = 1; i <= kRuns; ++i) {
        if (!run(server, {}, i, shipped))
            return 1;
    }
    summary("shipped files", kRuns, shipped);

    // Files that a damaged disk, another program or a hand could leave: the
    // first lines are sensible, the rest is what the readers must not read.
    const auto large = [](TempFolder &folder) {
        writeLarge(folder.file("Data/Lorvaspeak.Ini"),
                   " 600 \r\n 600 \r\n 9000 \r\n 12000 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n",
                   " 0 \r\n", kLargeFileBytes);
        writeLarge(folder.file("Data/lorvaspeak.Hys"), {}, "http://www.example.org/a/page/of/the/history\r\n",
                   kLargeFileBytes);
        writeLarge(folder.file("Links/Links.Bok"), "Big,3\r\n", "A group title,0\r\n", kLargeFileBytes);
        // A group file without a single line end.
        writeLarge(folder.file("Links/Links.000"), {}, "Link;-;http://example.org/;-;;-;;-;x;-;d ",
                   kLargeFileBytes);
    };
    Figures big;
    for (int i = 1; i <= largeRuns; ++i) {
        if (!run(server, large, i, big))
            return 1;
    }
    summary("100 MB placement, history, title and group files", largeRuns, big);
    return 0;
}
