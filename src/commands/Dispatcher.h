#pragma once

#include "commands/Elements.h"

#include <QHash>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace lorva {

// The table from command key to action for every window's command bars:
// one set of rows per element (a bar of a window, or its menus). Each area
// registers the rows of its own commands; a click with no row does nothing.
class Dispatcher
{
public:
    using Handler = std::function<void(const QString &key)>;
    // Shows a failure that a handler passed on (AppError), in the window
    // whose bar was clicked.
    using FailureHandler = std::function<void(CommandWindow window, const QString &message)>;

    void click(Element element, const QString &key);

    void setRow(Element element, const QString &key, Handler handler);
    // Keys of `element` that start with `prefix` and have no row of their own.
    void setPrefixRow(Element element, const QString &prefix, Handler handler);
    bool hasRow(Element element, const QString &key) const;
    // Whether a click on `key` reaches a handler: a row of its own or a prefix row.
    bool handles(Element element, const QString &key) const;
    // Forgets every row of `element`: a window that goes takes its rows along.
    void clearRows(Element element);
    void setFailureHandler(FailureHandler handler) { m_failure = std::move(handler); }

private:
    QHash<Element, QHash<QString, Handler>> m_rows;
    QHash<Element, std::vector<std::pair<QString, Handler>>> m_prefixRows;
    FailureHandler m_failure;
};

} // namespace lorva
