#pragma once

#include "config/Placement.h"

#include <QString>

#include <functional>

namespace lorva {

class CommandBars;
class Dialogs;
class LinkGrid;
struct Language;
struct LinkGroups;

// What the link-row editor's logic needs of the window itself.
class RowEditorWindow
{
public:
    virtual ~RowEditorWindow() = default;
    // Box i (1 to 6) edits grid column i; label i names it.
    virtual QString boxText(int box) const = 0;
    virtual void setBoxText(int box, const QString &text) = 0;
    virtual void setLabelText(int label, const QString &text) = 0;
    virtual void setCaption(const QString &text) = 0;
    virtual WindowPlace windowPlace() const = 0;
    virtual void placeWindow(const WindowPlace &place) = 0;
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    virtual void hideWindow() = 0;
};

// Designed size of the link-row editor, in twips.
inline constexpr int kEditorDesignWidth = 7800;
inline constexpr int kEditorDesignHeight = 4500;

struct RowEditorContext
{
    LinkGroups &links;
    WindowPlace &place; // EditorTop, EditorLeft, EditorHeight, EditorWidth
    const Language &language;
    CommandBars &commands;
    LinkGrid &grid;
    Dialogs &dialogs;
    RowEditorWindow &window;
    // Save_Table of the link-table window; throws AppError when it cannot write.
    std::function<void()> saveTable;
};

// Load: the boxes from the grid's row EditRow, the real hidden text in box 4.
void Form_Load(RowEditorContext &ctx);
// "CANCEL" empties the row, "SAVE3" writes the boxes back and saves; then
// the editor goes.
void editorCommand(RowEditorContext &ctx, const QString &key);
void GO_Exit(RowEditorContext &ctx);

} // namespace lorva
