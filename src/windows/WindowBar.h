#pragma once

#include "commands/Elements.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

namespace lorva {

class CommandBarView;
class CommandBars;
class Dispatcher;
class ImageList;

// The command bar of a secondary window: shows `bar` with text beside the
// pictures, and sends the clicks of `keys` to `handler` through the shared
// dispatcher, for as long as the window lives.
class WindowBar : public QObject
{
public:
    WindowBar(QWidget *window, CommandBars &bars, Dispatcher &dispatcher, const ImageList &images, Element element,
              const QString &bar, const QStringList &keys, std::function<void(const QString &)> handler, int style);
    ~WindowBar() override;

    CommandBarView *view() const { return m_view; }

private:
    Dispatcher &m_dispatcher;
    Element m_element;
    CommandBarView *m_view;
};

} // namespace lorva
