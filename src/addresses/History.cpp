#include "addresses/History.h"

#include "config/LegacyText.h"

#include <QStringList>

namespace lorva {

namespace {

// Only the newest lines are read, from the file's end. A save keeps the
// newest 30 items, so it writes the same as when every line was read; a
// file that a hand or an older version made longer keeps twice as many in
// the list until then.
constexpr int kHistoryRead = 2 * kHistoryKept;

} // namespace

void Hyst_Read(const QString &programFolder, AddressList &list)
{
    const auto lines = legacy::readLastTextLines(legacy::resolvePath(programFolder, kHistoryFile), kHistoryRead);
    if (!lines)
        return;
    for (const QString &line : *lines)
        list.append(line);
}

void Hyst_Add(AddressList &list, const QString &currentUrl)
{
    const QString wanted = legacy::trimSpaces(list.text());
    for (int i = 0; i < list.count(); ++i) {
        if (legacy::trimSpaces(list.item(i)) == wanted)
            return;
    }
    list.append(currentUrl);
}

QStringList historyLines(const AddressList &list)
{
    QStringList lines;
    for (int i = qMax(0, list.count() - kHistoryKept); i < list.count(); ++i) {
        if (const QString item = list.item(i); !item.isEmpty())
            lines << item;
    }
    return lines;
}

void Hyst_Save(const QString &programFolder, const AddressList &list)
{
    legacy::writeTextLines(legacy::resolvePath(programFolder, kHistoryFile), historyLines(list),
                           QStringLiteral("Hyst_Save"));
}

} // namespace lorva
