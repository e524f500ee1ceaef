#pragma once

#include <QImage>
#include <QString>

namespace lorva {

// What the clipboard holds in the forms the program can give back: plain
// text, HTML and a picture.
struct ClipboardContent
{
    QString text;
    QString html;
    QImage image;

    bool isEmpty() const { return text.isEmpty() && html.isEmpty() && image.isNull(); }
};

// The desktop clipboard as the program reaches it: a port of its own, so
// that a test holds its own clipboard and the user's is left alone.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual QString text() = 0;
    virtual ClipboardContent content() = 0;
    // Empty content clears the clipboard.
    virtual void setContent(const ClipboardContent &content) = 0;
    void clear() { setContent({}); }
};

// The desktop clipboard's content now; only the forms it offers are fetched.
ClipboardContent readClipboard();
// Puts `content` on the desktop clipboard; empty content clears it.
void writeClipboard(const ClipboardContent &content);

} // namespace lorva
