#pragma once

#include "app/AppContext.h"
#include "app/KeptFiles.h"
#include "app/WindowSet.h"
#include "export/OfficeExports.h"

#include <QDate>
#include <QTimer>

#include <functional>
#include <memory>

namespace lorva {

class frmStart;
class frmTab;
class Platform;

// What the main window's commands open. The program owns every window, so
// the rows that show one reach it through these.
struct WindowOpeners
{
    std::function<void()> tables;         // "FAVORITE": the link-table window
    std::function<void()> languageEditor; // "LANG:NEW"
    std::function<void()> about;          // "BREVONTA" and "FILE:BREVONTA"
    ShowModal showModal;                  // the windows an area makes itself (the speech log)
};

// Every row of the main window's bars and menus: each area registers its
// own, and the windows the program owns are opened through `open`.
void addMainRows(AppContext &ctx, MainContext &main, SpeechContext &speech, ExportContext &exports,
                 const WindowOpeners &open);

// The program put together: its values, its windows, the rows of every
// area's commands, and what reaches across areas (the speech watch, the
// start-up tail, the shutdown), as main() runs it and tests start it.
class Program
{
public:
    Program(QString programFolder, Platform &platform);
    ~Program();

    // The start-up sequence; throws AppError when a step fails.
    void load(const QDate &today);
    // Closes the main window when nobody may be at the screen (a signal, the
    // session's end): a failure message then closes itself.
    void endUnattended();

    AppContext &context() { return m_ctx; }
    WindowSet &windows() { return m_windows; }
    frmStart &mainWindow() { return m_windows.main(); }
    MainContext &mainContext();
    SpeechContext &speechContext() { return m_speech; }
    ExportContext &exportContext() { return m_exports; }

    // "FAVORITE": the link-table window, shown modally; a link chosen in it
    // opens in the current tab.
    void GO_Tables();
    // "LANG:NEW" and the About box, each shown modally until it closes.
    void showLanguageEditor();
    void showAbout();

private:
    void openRowEditor(frmTab &table);
    void askQuestion();
    // Loads `window`, lets `prepare` fill it, shows it modally over the main
    // window, and unloads it; a failure of `prepare` unloads it and goes on.
    void showModal(QWidget *window, const std::function<void()> &prepare = {});
    // Options, history and placement follow every change within a second.
    void keepFilesCurrent();

    AppContext m_ctx;
    WindowSet m_windows;
    SpeechContext m_speech;
    ExportContext m_exports;
    KeptFiles m_kept;
    QTimer m_keepTimer;
};

} // namespace lorva
