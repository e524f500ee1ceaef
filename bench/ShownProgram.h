#pragma once

// What the benchmarks that drive the real program in their own process
// share: waiting with events running, and the main window shown as a start
// shows it.
#include "app/Program.h"
#include "browser/frmStart.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <functional>

namespace lorva::bench {

// Runs events until `done` says so; false when `ms` passed first.
inline bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// Loads the program's files and shows its main window; false, said on
// stderr, when the window never shows.
inline bool showMainWindow(Program &program)
{
    frmStart &window = program.mainWindow();
    program.load(QDate::currentDate());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the main window was never shown\n");
        return false;
    }
    return true;
}

} // namespace lorva::bench
