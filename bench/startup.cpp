// Start-up time of the real program: from process start to the main window
// shown and to the first page (served on 127.0.0.1) loaded, with five tabs.
// Needs an X display. Prints the median of five runs.
#include "support/HttpServer.h"
#include "support/ProgramRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

using namespace lorva::test;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!haveDisplay()) {
        std::fprintf(stderr, "startup: needs an X display (DISPLAY)\n");
        return 2;
    }
    HttpServer server;
    server.addPage("/", "<html><head><title>Bench</title></head><body><p>Start-up page.</p></body></html>");

    constexpr int kRuns = 5;
    std::vector<double> shown, loaded;
    for (int run = 0; run < kRuns; ++run) {
        ProgramRunner program;
        program.folder().write("Data/lorvaspeak.Opt",
                               (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + server.url("/") + "\r\nEnglish\r\n").toUtf8());
        QElapsedTimer clock;
        clock.start();
        program.start();
        if (!program.waitForOutput("main window shown")) {
            std::fprintf(stderr, "run %d: no main window\n%s", run, qPrintable(program.output()));
            return 1;
        }
        shown.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (!program.waitForOutput("first page loaded")) {
            std::fprintf(stderr, "run %d: no page\n%s", run, qPrintable(program.output()));
            return 1;
        }
        loaded.push_back(double(clock.nsecsElapsed()) / 1e6);
        program.stop(SIGTERM);
        std::printf("run %d: window shown %.0f ms, first page loaded %.0f ms\n", run + 1, shown.back(),
                    loaded.back());
    }
    std::printf("median over %d runs (5 tabs): main window shown %.0f ms, first page loaded %.0f ms\n", kRuns,
                median(shown), median(loaded));
    return 0;
}
