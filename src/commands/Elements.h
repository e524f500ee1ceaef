#pragma once

#include <QHashFunctions>

namespace lorva {

// The windows whose command bars report clicks.
enum class CommandWindow { Start, Table, RowEditor, LanguageEditor, Question, About };

// One command-bar element of a window, as its clicks report it: the bar's
// index in the window, or the window's drop-down menus.
struct Element
{
    CommandWindow window;
    int index;

    friend bool operator==(const Element &, const Element &) = default;
};

inline size_t qHash(const Element &e, size_t seed = 0) noexcept
{
    return qHashMulti(seed, int(e.window), e.index);
}

// The main window's elements: its three bars and its menus.
namespace elements {
inline constexpr Element StartTools{CommandWindow::Start, 0};
inline constexpr Element StartTabs{CommandWindow::Start, 1};
inline constexpr Element StartSites{CommandWindow::Start, 2};
inline constexpr Element StartMenus{CommandWindow::Start, 3};
// The link-table window's two bars, and the link-row editor's bar.
inline constexpr Element TableTools{CommandWindow::Table, 0};
inline constexpr Element TableExit{CommandWindow::Table, 1};
inline constexpr Element EditorBar{CommandWindow::RowEditor, 9};
} // namespace elements

} // namespace lorva
