#include "browser/SiteName.h"

#include "config/LegacyText.h"

namespace lorva {

void Site_Name(QString &address)
{
    QString text = address;
    text.remove(QStringLiteral("http://"));
    text.remove(QStringLiteral("https://"));
    if (const qsizetype slash = text.indexOf(u'/'); slash >= 0)
        text.truncate(slash);
    if (text.toLower().contains(QStringLiteral("www."))) {
        text.remove(QStringLiteral("www."));
        if (const qsizetype dot = text.indexOf(u'.'); dot >= 0)
            text.truncate(dot);
    }
    address = legacy::properCase(text);
}

} // namespace lorva
