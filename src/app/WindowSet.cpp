#include "app/WindowSet.h"

#include "app/AppContext.h"
#include "browser/frmStart.h"

#include <QApplication>
#include <QEventLoop>
#include <QWindow>

#include <algorithm>

namespace lorva {

WindowSet::WindowSet(AppContext &ctx)
    : m_main(std::make_unique<frmStart>(ctx.programFolder, ctx.main, ctx.placement, ctx.options, ctx.language,
                                        ctx.commands, ctx.images, ctx.dispatcher, ctx.platform))
{
}

WindowSet::~WindowSet()
{
    unloadOthers();
    m_main.reset();
}

void WindowSet::load(QWidget *window)
{
    if (!window || std::find(m_others.begin(), m_others.end(), window) != m_others.end())
        return;
    // A secondary window stays above the main window, as its dialog.
    if (!window->parentWidget())
        window->setParent(m_main.get(), window->windowFlags());
    m_others.emplace_back(window);
}

void WindowSet::showModal(QWidget *window)
{
    if (!window)
        return;
    load(window);
    // Kept above the window it was opened over by the window manager too.
    QWidget *over = QApplication::activeModalWidget();
    if (!over || over == window)
        over = m_main.get();
    window->winId();
    if (window->windowHandle() && over->windowHandle())
        window->windowHandle()->setTransientParent(over->windowHandle());
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    // The caller goes on once the window has been hidden or closed.
    QEventLoop loop;
    QPointer<QWidget> watched(window);
    while (watched && watched->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void WindowSet::unload(QWidget *window)
{
    const auto it = std::find(m_others.begin(), m_others.end(), window);
    if (it == m_others.end())
        return;
    m_others.erase(it);
    if (window) {
        window->close();
        delete window;
    }
}

void WindowSet::unloadOthers()
{
    std::vector<QPointer<QWidget>> others;
    others.swap(m_others);
    for (const QPointer<QWidget> &window : others) {
        if (window) {
            window->close();
            delete window.data();
        }
    }
}

int WindowSet::loadedCount() const
{
    return int(std::count_if(m_others.begin(), m_others.end(), [](const QPointer<QWidget> &w) { return !w.isNull(); }));
}

} // namespace lorva
