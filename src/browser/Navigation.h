#pragma once

#include <QString>

namespace lorva {

struct AppContext;
class MainWindowPort;

// Opens the address box's text in the current tab, adding "http://" when it
// has no scheme; records it in the history when `addHistory` is 1.
void GO_Address(AppContext &ctx, MainWindowPort &window, int addHistory);

// Address box events.
void Text1_Click(AppContext &ctx, MainWindowPort &window);
// Returns true when the key was consumed (Enter).
bool Text1_KeyDown(AppContext &ctx, MainWindowPort &window, int keyCode);
void Text1_GotFocus(AppContext &ctx, MainWindowPort &window);

// Events of any browser view.
void Web_StatusTextChange(MainWindowPort &window, const QString &text);
void Web_ProgressChange(MainWindowPort &window, double progress, double maximum);
void Web_TitleChange(AppContext &ctx, MainWindowPort &window, const QString &text);
void Web_BeforeNavigate2(AppContext &ctx, MainWindowPort &window, const QString &address);
void Web_DocumentComplete(AppContext &ctx, MainWindowPort &window, const QString &address);

// The renderer of view `index` died: the view shows a page of the program's
// own naming the address with a way to open it again, and so does the status text.
void Web_PageCrashed(AppContext &ctx, MainWindowPort &window, int index);

// The longest address the browser engine opens.
inline constexpr int kMaxAddressLength = 2 * 1024 * 1024;

// Address settling: shows the current view's final address once it is idle.
void Timer5_Timer(AppContext &ctx, MainWindowPort &window);

// Waits, letting events run, until the current view has loaded its page.
// Gives up after `limitMs`; returns whether the page is complete.
bool WebAttend(MainWindowPort &window, int limitMs = 60000);

} // namespace lorva
