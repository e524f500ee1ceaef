// Navigation speed and memory of the real main window: the median time from
// Enter in the address box to DocumentComplete for a small page served on
// 127.0.0.1, and the memory (PSS of this process and its browser helper
// processes) with five tabs loaded. Needs an X display.
#include "ShownProgram.h"
#include "app/Program.h"
#include "browser/frmStart.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"
#include "support/HttpServer.h"
#include "support/TempFolder.h"
#include "ProcessMemory.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace lorva;
using namespace lorva::test;

namespace {

bool waitLoaded(frmStart &window, int view, const QString &url)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        BrowserView *v = window.Web(view);
        if (v->LocationURL() == url && !v->Busy())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    preparePlatform();
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "navigation: needs an X display (DISPLAY)\n");
        return 2;
    }

    HttpServer server;
    constexpr int kRuns = 15;
    for (int i = 0; i <= kRuns; ++i)
        server.addPage(QStringLiteral("/p%1").arg(i),
                       QStringLiteral("<html><head><title>Page %1</title></head><body><p>A small page.</p></body></html>")
                           .arg(i)
                           .toUtf8());

    TempFolder folder;
    for (const char *sub : {"Data", "Languages"}) {
        const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub); // the shipped files only
        for (const QString &name : dir.entryList(QDir::Files))
            QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
    }
    folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/p0") + "\r\nEnglish\r\n").toUtf8());

    auto platform = createRealPlatform(folder.path());
    Program program(folder.path(), *platform);
    frmStart &window = program.mainWindow();
    if (!bench::showMainWindow(program))
        return 1;
    if (!waitLoaded(window, 0, server.url("/p0"))) {
        std::fprintf(stderr, "navigation: the first page did not load\n");
        return 1;
    }

    // Memory first, with five freshly loaded tabs.
    for (int tab = 1; tab < 5; ++tab)
        window.Web(tab)->Navigate(server.url(QStringLiteral("/p%1").arg(tab)));
    for (int tab = 1; tab < 5; ++tab)
        waitLoaded(window, tab, server.url(QStringLiteral("/p%1").arg(tab)));
    QTest::qWait(1500);
    long processes = 0;
    const long pss = bench::treePss(getpid(), &processes);
    std::printf("Memory with five tabs loaded: %.0f MB PSS in %ld processes\n", pss / 1024.0, processes);

    std::vector<double> times;
    QLineEdit *edit = window.Text1()->lineEdit();
    for (int i = 1; i <= kRuns; ++i) {
        const QString url = server.url(QStringLiteral("/p%1").arg(i));
        edit->setText(url);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(edit, Qt::Key_Return);
        if (!waitLoaded(window, 0, url)) {
            std::fprintf(stderr, "navigation: %s did not load\n", qPrintable(url));
            return 1;
        }
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("Enter to DocumentComplete, small local page: median %.1f ms (min %.1f, max %.1f, %d runs)\n",
                times[times.size() / 2], times.front(), times.back(), kRuns);
    return 0;
}
