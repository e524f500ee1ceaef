#include "windows/WindowBar.h"

#include "commands/CommandBarView.h"
#include "commands/Dispatcher.h"

#include <QToolBar>

namespace lorva {

WindowBar::WindowBar(QWidget *window, CommandBars &bars, Dispatcher &dispatcher, const ImageList &images,
                     Element element, const QString &bar, const QStringList &keys,
                     std::function<void(const QString &)> handler, int style)
    : QObject(window), m_dispatcher(dispatcher), m_element(element),
      m_view(new CommandBarView(bars, images, element, element, window))
{
    m_view->showBar(bar);
    m_view->setBarStyle(style);
    m_view->toolBar()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_view, &CommandBarView::clicked, this,
            [this](Element e, const QString &key) { m_dispatcher.click(e, key); });
    for (const QString &key : keys)
        m_dispatcher.setRow(element, key, handler);
}

WindowBar::~WindowBar() { m_dispatcher.clearRows(m_element); }

} // namespace lorva
