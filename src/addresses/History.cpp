#include "addresses/History.h"

#include "config/LegacyText.h"

#include <QStringList>

namespace lorva {

void Hyst_Read(const QString &programFolder, AddressList &list)
{
    const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kHistoryFile));
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
