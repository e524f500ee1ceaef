#include "commands/Dispatcher.h"

#include "config/AppError.h"

#include <algorithm>

namespace lorva {

void Dispatcher::setRow(Element element, const QString &key, Handler handler)
{
    m_rows[element].insert(key, std::move(handler));
}

void Dispatcher::setPrefixRow(Element element, const QString &prefix, Handler handler)
{
    m_prefixRows[element].emplace_back(prefix, std::move(handler));
}

bool Dispatcher::hasRow(Element element, const QString &key) const
{
    const auto rows = m_rows.constFind(element);
    return rows != m_rows.constEnd() && rows->contains(key);
}

bool Dispatcher::handles(Element element, const QString &key) const
{
    if (hasRow(element, key))
        return true;
    const auto rows = m_prefixRows.constFind(element);
    return rows != m_prefixRows.constEnd() &&
           std::any_of(rows->begin(), rows->end(), [&key](const auto &row) { return key.startsWith(row.first); });
}

void Dispatcher::clearRows(Element element)
{
    m_rows.remove(element);
    m_prefixRows.remove(element);
}

void Dispatcher::click(Element element, const QString &key)
{
    try {
        if (const auto rows = m_rows.constFind(element); rows != m_rows.constEnd()) {
            if (const auto it = rows->constFind(key); it != rows->constEnd()) {
                (*it)(key);
                return;
            }
        }
        if (const auto rows = m_prefixRows.constFind(element); rows != m_prefixRows.constEnd()) {
            for (const auto &[prefix, handler] : *rows) {
                if (key.startsWith(prefix)) {
                    handler(key);
                    return;
                }
            }
        }
    } catch (const AppError &error) {
        if (m_failure)
            m_failure(element.window, error.message());
    }
}

} // namespace lorva
