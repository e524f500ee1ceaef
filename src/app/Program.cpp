#include "app/Program.h"

#include "app/Startup.h"
#include "browser/MainCommands.h"
#include "browser/frmStart.h"
#include "export/Pictures.h"
#include "platform/Dialogs.h"

#include <QTimer>

namespace lorva {

Program::Program(QString programFolder, Platform &platform)
    : m_ctx(std::move(programFolder), platform), m_windows(m_ctx),
      m_speech(lorva::speechContext(m_ctx, m_windows.main().context())),
      m_exports{m_windows.main().context(), m_ctx.exports}
{
    frmStart &window = m_windows.main();
    MainContext &main = window.context();
    addMainWindowRows(m_ctx.dispatcher, main);
    addSpeechRows(m_ctx.dispatcher, m_speech);
    addExportRows(m_ctx.dispatcher, m_exports);
    addPictureRows(m_ctx.dispatcher, m_exports);
    addProgramRows(m_ctx, main);
    m_ctx.dispatcher.setFailureHandler([&main](CommandWindow, const QString &message) { main.dialogs.failure(message); });

    QObject::connect(window.timer(MainTimer::Timer4), &QTimer::timeout, &window, [this] {
        Timer4_Timer(m_ctx, mainContext());
    });
    QObject::connect(window.timer(MainTimer::Timer6), &QTimer::timeout, &window, [this] { Timer6_Timer(m_speech); });
    QObject::connect(&window, &frmStart::viewLeftButtonUp, &window,
                     [this](int index) { Web_LeftButtonUp(m_speech, index); });
    QObject::connect(&window, &frmStart::closing, &window, [this] {
        GO_Exit(m_ctx, mainContext(), [this] { m_windows.unloadOthers(); });
    });
}

Program::~Program() = default;

MainContext &Program::mainContext() { return m_windows.main().context(); }

void Program::load(const QDate &today)
{
    Form_Load(m_ctx, mainContext(), today);
    m_windows.main().setLoaded();
}

void Program::endUnattended()
{
    m_ctx.unattendedExit = true;
    m_windows.main().close();
}

} // namespace lorva
