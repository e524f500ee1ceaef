#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

namespace lorva {

enum EntryStyle { StylePlain = 0, StyleSeparator = 1, StylePanel = 3, StyleCheck = 4, StyleOption = 6 };

// One command: its key is its identity everywhere.
struct CommandEntry
{
    QString key;
    int image = -1;
    QString caption;
    int style = StylePlain;
    QString tooltip;
    bool dropDown = false;
    int panelWidth = 0;         // twips, panels only (the window that shows the bar supplies the control)
    bool checked = false;
    bool enabled = true;
    QString bar;                // the drop-down bar hung below the entry

    // A click on the entry opens the bar hung below it instead of being reported.
    bool opensMenu() const { return dropDown && !bar.isEmpty(); }
    // Whether a click on the entry in a bar is reported: separators and
    // panels take none, and an entry that opens a menu opens it.
    bool reportsClicks() const { return style != StyleSeparator && style != StylePanel && !opensMenu(); }
};

// The one collection of command entries and bars that every command bar of
// every window shows. Entries and bars are never removed.
class CommandBars : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Adds an entry; a key that exists already keeps its entry, which is returned.
    CommandEntry &addEntry(const QString &key, int image, const QString &caption, int style,
                           const QString &tooltip);
    bool contains(const QString &key) const { return m_index.contains(key); }
    const CommandEntry *entry(const QString &key) const;
    // Entry keys in the order they were added.
    QStringList keys() const;

    void setCaption(const QString &key, const QString &caption);
    void setToolTip(const QString &key, const QString &tooltip);
    void setChecked(const QString &key, bool checked);
    void setEnabled(const QString &key, bool enabled);
    void setDropDown(const QString &key, bool dropDown);
    void setPanel(const QString &key, int widthTwips);
    void setHungBar(const QString &key, const QString &bar);

    void addBar(const QString &bar);
    bool hasBar(const QString &bar) const { return m_bars.contains(bar); }
    void addToBar(const QString &bar, const QString &key);
    // Puts `key` into a bar already shown, before `before` (at the end
    // when `before` is not in it); the views showing the bar follow.
    void insertIntoBar(const QString &bar, const QString &before, const QString &key);
    QStringList bar(const QString &bar) const { return m_bars.value(bar); }

    // What a click does to the entry itself before it is reported: a check
    // entry toggles; an option entry is checked and the other option
    // entries of the same bar are unchecked.
    void clickEntry(const QString &key, const QString &inBar);

signals:
    void entryChanged(const QString &key);
    void barChanged(const QString &bar);

private:
    CommandEntry *find(const QString &key);

    std::deque<CommandEntry> m_entries; // stable addresses
    QHash<QString, qsizetype> m_index;
    QHash<QString, QStringList> m_bars;
};

} // namespace lorva
