#pragma once

#include "commands/Elements.h"

#include <QIcon>
#include <QString>

#include <memory>
#include <vector>

namespace lorva {

// A window's image list: pictures by 0-based index, each with a text key.
// Every window has its own list, so that an entry's image number means the
// picture of the window that shows it. Pictures come from the desktop's icon theme (Tango as the fallback
// theme); where a theme has none, the program draws its own. Flag pictures
// have keys that begin with the first two letters of a language's name.
class ImageList
{
public:
    explicit ImageList(CommandWindow window = CommandWindow::Start);
    ~ImageList();

    int count() const { return int(m_images.size()); }
    // The key of image n, counted from 1 as the language menu counts them.
    QString key(int oneBased) const;
    QIcon icon(int index) const;

private:
    struct Image;
    std::vector<std::unique_ptr<Image>> m_images;
    mutable std::vector<QIcon> m_cache;
};

// Makes Tango the fallback icon theme, and the theme where the desktop names none.
void useIconThemes();

} // namespace lorva
