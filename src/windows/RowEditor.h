#pragma once

#include "config/Placement.h"

#include <QString>

#include <functional>

namespace lorva {

class CommandBars;
class Dialogs;
class Dispatcher;
class LinkGrid;
class Platform;
class WindowFrame;
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
    virtual void hideWindow() = 0;
};

// Designed size of the link-row editor, in twips.
inline constexpr int kEditorDesignWidth = 7800;
inline constexpr int kEditorDesignHeight = 4500;

// What the row editor and its logic work on: the values the program lends
// it, and the window's own parts, which the window sets when it is made.
struct RowEditorContext
{
    LinkGroups &links;
    WindowPlace &place; // EditorTop, EditorLeft, EditorHeight, EditorWidth
    const Language &language;
    CommandBars &commands;
    Dispatcher &dispatcher;
    LinkGrid &grid;
    Platform &platform;
    // Save_Table of the link-table window; throws AppError when it cannot write.
    std::function<void()> saveTable;

    RowEditorWindow *window = nullptr;
    WindowFrame *frame = nullptr;
    Dialogs *dialogs = nullptr;
};

// Load: the boxes from the grid's row EditRow, the real hidden text in box 4.
void Form_Load(RowEditorContext &ctx);
// "CANCEL" empties the row, "SAVE3" writes the boxes back and saves; then
// the editor goes.
void editorCommand(RowEditorContext &ctx, const QString &key);
void GO_Exit(RowEditorContext &ctx);

} // namespace lorva
