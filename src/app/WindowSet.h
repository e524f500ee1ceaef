#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace lorva {

struct AppContext;
class frmStart;

// The owner of every window: the main window for the whole run, and the
// secondary windows, which are loaded when first needed, shown modally,
// and unloaded when they close or, at the latest, at shutdown.
class WindowSet
{
public:
    explicit WindowSet(AppContext &ctx);
    ~WindowSet();

    frmStart &main() { return *m_main; }

    // Takes over a secondary window, loaded but not shown.
    void load(QWidget *window);
    // Shows a loaded window modally over the main window until it closes.
    void showModal(QWidget *window);
    // Unloads (closes and releases) one secondary window.
    void unload(QWidget *window);
    // Unloads every secondary window still loaded.
    void unloadOthers();
    int loadedCount() const;

private:
    std::unique_ptr<frmStart> m_main;
    std::vector<QPointer<QWidget>> m_others;
};

} // namespace lorva
