#pragma once

// The fake program in a folder of its own, on a page titled `title`, with
// the context the exports work on.
#include "export/OfficeExports.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

namespace lorva::test {

// The folder, made before the program that is given its path.
struct InFolder
{
    TempFolder folder;
};

struct ExportingProgram : InFolder, FakeProgram
{
    ExportContext exports{main, ctx.exports};
    FakeBrowserView &view = window.views[0];

    explicit ExportingProgram(const QString &title) : FakeProgram(folder.path())
    {
        window.view(0);
        view.title = title;
    }

    QStringList informations() const { return window.dialogs.informations; }
    QStringList failures() const { return window.dialogs.failures; }
};

} // namespace lorva::test
