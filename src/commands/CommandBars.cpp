#include "commands/CommandBars.h"

namespace lorva {

CommandEntry &CommandBars::addEntry(const QString &key, int image, const QString &caption, int style,
                                    const QString &tooltip)
{
    if (CommandEntry *existing = find(key))
        return *existing;
    CommandEntry entry;
    entry.key = key;
    entry.image = image;
    entry.caption = caption;
    entry.style = style;
    entry.tooltip = tooltip;
    m_index.insert(key, qsizetype(m_entries.size()));
    m_entries.push_back(entry);
    return m_entries.back();
}

const CommandEntry *CommandBars::entry(const QString &key) const
{
    const auto it = m_index.constFind(key);
    return it == m_index.constEnd() ? nullptr : &m_entries[size_t(*it)];
}

CommandEntry *CommandBars::find(const QString &key)
{
    const auto it = m_index.constFind(key);
    return it == m_index.constEnd() ? nullptr : &m_entries[size_t(*it)];
}

QStringList CommandBars::keys() const
{
    QStringList out;
    out.reserve(qsizetype(m_entries.size()));
    for (const CommandEntry &e : m_entries)
        out << e.key;
    return out;
}

void CommandBars::setCaption(const QString &key, const QString &caption)
{
    if (CommandEntry *e = find(key); e && e->caption != caption) {
        e->caption = caption;
        emit entryChanged(key);
    }
}

void CommandBars::setToolTip(const QString &key, const QString &tooltip)
{
    if (CommandEntry *e = find(key); e && e->tooltip != tooltip) {
        e->tooltip = tooltip;
        emit entryChanged(key);
    }
}

void CommandBars::setChecked(const QString &key, bool checked)
{
    if (CommandEntry *e = find(key); e && e->checked != checked) {
        e->checked = checked;
        emit entryChanged(key);
    }
}

void CommandBars::setEnabled(const QString &key, bool enabled)
{
    if (CommandEntry *e = find(key); e && e->enabled != enabled) {
        e->enabled = enabled;
        emit entryChanged(key);
    }
}

void CommandBars::setDropDown(const QString &key, bool dropDown)
{
    if (CommandEntry *e = find(key)) {
        e->dropDown = dropDown;
        emit entryChanged(key);
    }
}

void CommandBars::setPanel(const QString &key, int widthTwips)
{
    if (CommandEntry *e = find(key)) {
        e->panelWidth = widthTwips;
        emit entryChanged(key);
    }
}

void CommandBars::setHungBar(const QString &key, const QString &bar)
{
    if (CommandEntry *e = find(key))
        e->bar = bar;
}

void CommandBars::addBar(const QString &bar)
{
    if (!m_bars.contains(bar))
        m_bars.insert(bar, {});
}

void CommandBars::addToBar(const QString &bar, const QString &key)
{
    if (contains(key))
        m_bars[bar].append(key);
}

void CommandBars::insertIntoBar(const QString &bar, const QString &before, const QString &key)
{
    if (!contains(key))
        return;
    QStringList &keys = m_bars[bar];
    const qsizetype at = keys.indexOf(before);
    keys.insert(at < 0 ? keys.size() : at, key);
    emit barChanged(bar);
}

void CommandBars::clickEntry(const QString &key, const QString &inBar)
{
    const CommandEntry *e = entry(key);
    if (!e)
        return;
    if (e->style == StyleCheck) {
        setChecked(key, !e->checked);
    } else if (e->style == StyleOption) {
        // A separator closes a group: a menu may hold more than one.
        const QStringList keys = bar(inBar);
        qsizetype first = keys.indexOf(key), last = first;
        const auto separator = [this](const QString &k) {
            const CommandEntry *o = entry(k);
            return o && o->style == StyleSeparator;
        };
        while (first > 0 && !separator(keys[first - 1]))
            --first;
        while (last >= 0 && last + 1 < keys.size() && !separator(keys[last + 1]))
            ++last;
        for (qsizetype i = qMax<qsizetype>(first, 0); i <= last; ++i) {
            const CommandEntry *o = entry(keys[i]);
            if (o && o->style == StyleOption && keys[i] != key)
                setChecked(keys[i], false);
        }
        setChecked(key, true);
    }
}

} // namespace lorva
