#include "windows/frmLang.h"

#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "windows/WindowBar.h"
#include "windows/WindowsState.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>

namespace lorva {

frmLang::frmLang(const QString &programFolder, const Language &language, WindowsState &state, CommandBars &bars,
                 Dispatcher &dispatcher, Platform &platform, int barStyle, std::function<void()> askQuestion,
                 std::function<void(const QString &path)> saved)
    : QWidget(nullptr, Qt::Window), m_images(CommandWindow::LanguageEditor),
      m_dialogs(platform.createDialogs(this)),
      m_ctx{programFolder, language, state, *m_dialogs, [this] { return m_text1->toPlainText(); },
            std::move(askQuestion), [this] { close(); }, std::move(saved)},
      m_bar(nullptr), m_text1(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmLang"));
    Make_WindowBars(bars, CommandWindow::LanguageEditor);
    m_bar = new WindowBar(this, bars, dispatcher, m_images, Element{CommandWindow::LanguageEditor, 5},
                          keys::Standard5, {keys::Exit3, keys::Save5},
                          [this](const QString &key) { languageEditorCommand(m_ctx, key); }, barStyle);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text1->installEventFilter(this);
    // Escape leaves as the exit button does, asking about unsaved changes.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { languageEditorCommand(m_ctx, keys::Exit3); });
}

frmLang::~frmLang() = default;

void frmLang::load()
{
    setWindowTitle(m_ctx.language.Captions[209]);
    m_text1->setAccessibleName(m_ctx.language.Captions[209]);
    const QRect screen = screenGeometry(this);
    resize(screen.width() / 2, screen.height() / 2);
    move(screen.center() - rect().center());
    m_text1->setPlainText(languageTemplate(m_ctx.programFolder));
    m_text1->setFocus(Qt::OtherFocusReason);
}

bool frmLang::eventFilter(QObject *watched, QEvent *event)
{
    // Any key typed into the text counts as a change, for the rest of the run.
    if (watched == m_text1 && event->type() == QEvent::KeyPress)
        m_ctx.state.languageChanged = true;
    return QWidget::eventFilter(watched, event);
}

void frmLang::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int barHeight = m_bar->view()->sizeHint().height();
    m_bar->view()->setGeometry(0, 0, width(), barHeight);
    m_text1->setGeometry(0, barHeight, width(), height() - barHeight);
}

} // namespace lorva
