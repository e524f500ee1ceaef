#include "windows/frmInput.h"

#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "config/Geometry.h"
#include "config/Language.h"
#include "windows/SecondaryWindows.h"
#include "windows/WindowBar.h"
#include "windows/WindowsState.h"

#include <QLabel>
#include <QVBoxLayout>

namespace lorva {

frmInput::frmInput(const Language &language, WindowsState &state, CommandBars &bars, Dispatcher &dispatcher,
                   int barStyle)
    : QWidget(nullptr, Qt::Dialog), m_images(CommandWindow::Question), m_state(state),
      m_labTitle(new QLabel(language.Captions[213], this))
{
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(kProgramTitle);
    Make_WindowBars(bars, CommandWindow::Question);
    m_bar = new WindowBar(this, bars, dispatcher, m_images, Element{CommandWindow::Question, 6},
                          keys::Standard6, {keys::OkYes, keys::OkNo},
                          [this](const QString &key) {
                              questionCommand(m_state, key);
                              close();
                          },
                          barStyle);
    m_labTitle->setObjectName(QStringLiteral("labTitle"));
    m_labTitle->setWordWrap(true);
    m_labTitle->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 14, 12, 8);
    layout->addWidget(m_labTitle);
    layout->addWidget(m_bar->view(), 0, Qt::AlignHCenter);
    setFixedWidth(toPixels(4100));
    setAccessibleName(language.Captions[213]);
}

} // namespace lorva
