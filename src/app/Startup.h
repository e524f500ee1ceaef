#pragma once

#include <QDate>

#include <functional>

namespace lorva {

struct AppContext;
struct MainContext;

// "2026-03-07" for 7 March 2026.
QString todayText(const QDate &date);

// The start-up sequence of the main window. Throws AppError when a step
// fails (a missing language file, an options file that cannot be written).
void Form_Load(AppContext &ctx, MainContext &window, const QDate &today);

// The one-shot tail that runs on the first tick of Timer4.
void Timer4_Timer(AppContext &ctx, MainContext &window);

// The shutdown sequence. Runs once per run; a later call does nothing and
// returns false. A failure while saving is shown and shutdown goes on; when
// the end was unattended, the message closes itself after this long.
// `unloadOthers` unloads every other window (the window set does).
bool GO_Exit(AppContext &ctx, MainContext &window, const std::function<void()> &unloadOthers);
inline constexpr int kUnattendedMessageMs = 5000;

// The language switch of the entry "LANG:" + name: the file is read, the
// tabs, captions and options follow. A file that cannot be read keeps the
// language in use (and throws AppError).
void switchLanguage(AppContext &ctx, MainContext &window, const QString &key);

// Registers the rows that reach across areas: the language entries.
void addProgramRows(AppContext &ctx, MainContext &window);

} // namespace lorva
