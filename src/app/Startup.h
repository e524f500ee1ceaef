#pragma once

#include <QDate>

namespace lorva {

struct AppContext;
class MainWindowPort;

// "2026-03-07" for 7 March 2026.
QString todayText(const QDate &date);

// The start-up sequence of the main window. Throws AppError when a step
// fails (a missing language file, an options file that cannot be written).
void Form_Load(AppContext &ctx, MainWindowPort &window, const QDate &today);

// The one-shot tail that runs on the first tick of Timer4.
void Timer4_Timer(AppContext &ctx, MainWindowPort &window);

// The shutdown sequence. Runs once per run; a later call does nothing and
// returns false. A failure while saving is shown and shutdown goes on; when
// the end was unattended, the message closes itself after this long.
bool GO_Exit(AppContext &ctx, MainWindowPort &window);
inline constexpr int kUnattendedMessageMs = 5000;

} // namespace lorva
