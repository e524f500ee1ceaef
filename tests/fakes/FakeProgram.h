#pragma once

#include "app/AppContext.h"
#include "fakes/FakeMainWindow.h"
#include "fakes/FakePlatform.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace lorva::test {

// The program's values with the fake main window and platform, and the
// contexts the areas work on, as the program puts them together.
struct FakeProgram
{
    explicit FakeProgram(const QString &folder = QStringLiteral("/nowhere")) : ctx(folder, platform) {}

    FakeMainWindow window;
    FakePlatform platform{&window.calls};
    AppContext ctx;
    MainContext main{ctx.programFolder, ctx.main, ctx.placement, ctx.options, ctx.language, ctx.commands,
                     ctx.images, ctx.dispatcher, ctx.platform,
                     // tabs, address, status, timers, form, frame, names
                     window, window, window, window, window, window, window, window.dialogs};
    SpeechContext speech = speechContext(ctx, main);
    // The windows speech shows; the program would show them modally.
    std::vector<std::unique_ptr<QWidget>> shown;
    ShowModal showModal = [this](QWidget *window) { shown.emplace_back(window); };
};

} // namespace lorva::test
