#include "app/WindowSet.h"

#include "app/AppContext.h"
#include "browser/frmStart.h"

#include <QEventLoop>

#include <algorithm>

namespace lorva {

WindowSet::WindowSet(AppContext &ctx) : m_main(std::make_unique<frmStart>(ctx.mainValues())) {}

WindowSet::~WindowSet()
{
    unloadOthers();
    m_main.reset();
}

void WindowSet::load(QWidget *window)
{
    if (window && std::find(m_others.begin(), m_others.end(), window) == m_others.end())
        m_others.emplace_back(window);
}

void WindowSet::showModal(QWidget *window)
{
    if (!window)
        return;
    load(window);
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
