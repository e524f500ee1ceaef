#pragma once

#include "commands/ImageList.h"

#include <QWidget>

class QLabel;

namespace lorva {

class CommandBars;
class Dispatcher;
class WindowBar;
struct Language;
struct WindowsState;

// The question dialog: caption 213 over the bar "STANDARD6" with "OKYES"
// and "OKNO"; the answer stays in WindowsState for the caller to read.
class frmInput : public QWidget
{
    Q_OBJECT

public:
    frmInput(const Language &language, WindowsState &state, CommandBars &bars, Dispatcher &dispatcher, int barStyle);

    WindowBar *bar() const { return m_bar; }

private:
    ImageList m_images;
    WindowsState &m_state;
    QLabel *m_labTitle;
    WindowBar *m_bar;
};

} // namespace lorva
