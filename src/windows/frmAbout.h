#pragma once

#include "commands/ImageList.h"

#include <QWidget>

class QLabel;

namespace lorva {

class CommandBars;
class Dispatcher;
class Platform;
class WindowBar;
struct Language;

// The About box: the program's name and version, what it does, and links
// to the pages that come with it. The bar "STANDARD7" closes it.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    frmAbout(const QString &programFolder, const Language &language, CommandBars &bars, Dispatcher &dispatcher,
             Platform &platform, int barStyle);

    WindowBar *bar() const { return m_bar; }
    QLabel *label(const char *name) const;

private:
    QLabel *addLabel(const char *name, const QString &text, int left, int top, int width);
    // Makes `label` look and act as a link to `target` (a file of the program folder).
    void linkTo(QLabel *label, const QString &target);

    ImageList m_images;
    const QString &m_programFolder;
    Platform &m_platform;
    WindowBar *m_bar;
};

} // namespace lorva
