#include "app/Program.h"
#include "app/SignalBridge.h"
#include "app/Startup.h"
#include "browser/frmStart.h"
#include "commands/ImageList.h"
#include "config/AppError.h"
#include "config/LegacyText.h"
#include "config/ProgramFolder.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    lorva::installCrashTrace();
    lorva::preparePlatform();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lorvaspeak"));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // The desktop matches the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LORVA_APP_ID));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(LORVA_APP_ID)));
    lorva::useIconThemes();

    // Installed where the user cannot write, the program keeps its files in
    // a folder of the user's own, filled from the installed one.
    QString folder = QCoreApplication::applicationDirPath();
    try {
        folder = lorva::chooseProgramFolder(folder, lorva::userProgramFolder());
    } catch (const lorva::AppError &error) {
        std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(error.message()));
        lorva::createRealPlatform(folder)->createDialogs(nullptr)->failure(error.message());
        return 1;
    }
    const std::unique_ptr<lorva::Platform> platform = lorva::createRealPlatform(folder);
    lorva::Program program(folder, *platform);
    lorva::AppContext &ctx = program.context();
    lorva::frmStart &window = program.mainWindow();

    try {
        program.load(QDate::currentDate());
    } catch (const lorva::AppError &error) {
        std::fprintf(stderr, "lorvaspeak: %s\n", qPrintable(error.message()));
        // A start that failed leaves the program folder as it found it.
        if (ctx.options.createdDefaultFile)
            QFile::remove(lorva::legacy::resolvePath(ctx.programFolder, lorva::kOptionsFile));
        platform->createDialogs(nullptr)->failure(error.message());
        return 1;
    }
    window.show();

    // Every way out runs the shutdown sequence once: the window's close, a
    // termination signal, the desktop session ending, the event loop quitting.
    lorva::SignalBridge signalBridge;
    QObject::connect(&signalBridge, &lorva::SignalBridge::terminationRequested, &window,
                     [&program] { program.endUnattended(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&program] { program.endUnattended(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&] {
        lorva::GO_Exit(ctx, program.mainContext(), [&program] { program.windows().unloadOthers(); });
    });

    const int status = app.exec();
    // What could not be saved is lost: say so to whoever started the program.
    return status != 0 ? status : ctx.saveFailed ? 1 : 0;
}
