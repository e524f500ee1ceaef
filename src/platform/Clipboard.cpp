#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace lorva {

ClipboardContent readClipboard()
{
    ClipboardContent content;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return content;
    // Asking for a form the owner does not offer costs a round trip to it
    // (another program, on X11): ask only for what it lists.
    if (data->hasText())
        content.text = data->text();
    if (data->hasHtml())
        content.html = data->html();
    if (data->hasImage())
        content.image = qvariant_cast<QImage>(data->imageData());
    return content;
}

void writeClipboard(const ClipboardContent &content)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (content.isEmpty()) {
        clipboard->clear();
        return;
    }
    auto *data = new QMimeData;
    if (!content.text.isEmpty())
        data->setText(content.text);
    if (!content.html.isEmpty())
        data->setHtml(content.html);
    if (!content.image.isNull())
        data->setImageData(content.image);
    clipboard->setMimeData(data);
}

} // namespace lorva
