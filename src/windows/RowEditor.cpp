#include "windows/RowEditor.h"

#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "linktables/LinkFiles.h"
#include "linktables/LinkGrid.h"
#include "linktables/LinkGroups.h"
#include "platform/Dialogs.h"
#include "platform/WindowFrame.h"

namespace lorva {

void Form_Load(RowEditorContext &ctx)
{
    RowEditorWindow &w = *ctx.window;
    WindowFrame &frame = *ctx.frame;
    const auto &C = ctx.language.Captions;
    w.setBoxText(4, QString());
    w.setCaption(C[76]);
    ctx.commands.setToolTip(keys::Cancel, C[94]);
    ctx.commands.setToolTip(keys::Save3, C[95]);

    WindowPlace &p = ctx.place;
    if (p.height == 0 && p.left == 0 && p.width == 0) {
        p.height = kEditorDesignHeight;
        p.width = kEditorDesignWidth;
        p.top = frame.screenHeightTwips() / 2.0 - p.height / 2;
        p.left = frame.screenWidthTwips() / 2.0 - p.width / 2;
    }
    frame.placeWindow(keepOnScreen(p, frame.screenWidthTwips(), frame.screenHeightTwips()));
    ctx.links.TableChanged = false;

    for (int i = 1; i <= 5; ++i)
        w.setLabelText(i, C[size_t(64 + i)]);
    w.setLabelText(6, C[73]);
    const int row = ctx.links.EditRow;
    for (int i = 1; i <= 6; ++i)
        w.setBoxText(i, ctx.grid.text(row, i));
    // The grid shows a mask there: the real text is edited.
    if (!ctx.grid.hidden(row).isEmpty())
        w.setBoxText(4, ctx.grid.hidden(row));
}

void editorCommand(RowEditorContext &ctx, const QString &key)
{
    const int row = ctx.links.EditRow;
    if (key == keys::Cancel) {
        for (int c = 0; c <= 6; ++c)
            ctx.grid.setText(row, c, QString());
    } else if (key == keys::Save3) {
        // The files have no escapes: what would break them is defused here.
        for (int i = 1; i <= 6; ++i) {
            const QString text = ctx.window->boxText(i);
            ctx.grid.setText(row, i, i == 2 ? linkAddressText(text) : linkFieldText(text));
        }
        ctx.grid.setHidden(row, linkFieldText(ctx.window->boxText(4)));
        ctx.links.TableChanged = true;
        try {
            if (ctx.saveTable)
                ctx.saveTable();
        } catch (const AppError &error) {
            ctx.dialogs->failure(error.message());
        }
    }
    GO_Exit(ctx);
}

void GO_Exit(RowEditorContext &ctx)
{
    const WindowPlace now = ctx.frame->windowPlace();
    ctx.place.top = now.top;
    ctx.place.left = now.left;
    ctx.window->hideWindow();
}

} // namespace lorva
