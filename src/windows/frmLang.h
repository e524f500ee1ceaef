#pragma once

#include "commands/ImageList.h"
#include "windows/SecondaryWindows.h"

#include <QWidget>

#include <memory>

class QPlainTextEdit;

namespace lorva {

class CommandBars;
class Dispatcher;
class Platform;
class WindowBar;

// The language-file editor: the English language file in a text box under
// the bar "STANDARD5", saved under a new language name.
class frmLang : public QWidget
{
    Q_OBJECT

public:
    frmLang(const QString &programFolder, const Language &language, WindowsState &state, CommandBars &bars,
            Dispatcher &dispatcher, Platform &platform, int barStyle, std::function<void()> askQuestion,
            std::function<void(const QString &path)> saved = {});
    ~frmLang() override;

    // Throws AppError when the English language file cannot be read.
    void load();
    QPlainTextEdit *text() const { return m_text1; }
    WindowBar *bar() const { return m_bar; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    ImageList m_images;
    std::unique_ptr<Dialogs> m_dialogs;
    LanguageEditorContext m_ctx;
    WindowBar *m_bar;
    QPlainTextEdit *m_text1;
};

} // namespace lorva
