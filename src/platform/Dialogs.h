#pragma once

#include <QString>

#include <optional>

namespace lorva {

// The standard dialogs of one window, shown over it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // The failure message: OK button, the program's title, the text. With
    // `closeAfterMs` above 0 it closes by itself after that time.
    virtual void failure(const QString &message, int closeAfterMs = 0) = 0;
    // A message with the information icon, as the exports confirm.
    virtual void information(const QString &title, const QString &text) = 0;
    // A Yes/No question with the question icon and the program's title;
    // true for Yes.
    virtual bool question(const QString &text) = 0;
    // Asks for a line of text; empty when the user cancels.
    virtual std::optional<QString> input(const QString &title, const QString &prompt, const QString &value) = 0;
    // The save dialog: `filter` in the form "Description (*.ext)|*.ext", the
    // suggested name, no question before replacing a file. Empty on cancel.
    virtual std::optional<QString> saveFileName(const QString &title, const QString &suggested,
                                                const QString &filter) = 0;
    // The save dialog of a download: it opens on `suggested` (a whole path)
    // and asks before replacing a file. Empty on cancel.
    virtual std::optional<QString> saveFileNameAsking(const QString &title, const QString &suggested) = 0;
};

} // namespace lorva
