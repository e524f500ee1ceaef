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

// The desktop clipboard's content now; only the forms it offers are fetched.
ClipboardContent readClipboard();
// Puts `content` on the desktop clipboard; empty content clears it.
void writeClipboard(const ClipboardContent &content);

} // namespace lorva
