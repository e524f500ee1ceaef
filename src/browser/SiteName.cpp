#include "browser/SiteName.h"

#include "config/LegacyText.h"

#include <QRegularExpression>

namespace lorva {

void Site_Name(QString &address)
{
    QString text = address;
    text.remove(QStringLiteral("http://"));
    text.remove(QStringLiteral("https://"));
    if (const qsizetype slash = text.indexOf(u'/'); slash >= 0)
        text.truncate(slash);
    // A page of this computer or of an IP address is named by its host
    // alone, which a tab has room for: with the port it was cut short.
    static const QRegularExpression ipv4(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3}){3}$"));
    if (const QString host = text.section(u':', 0, 0);
        host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 || ipv4.match(host).hasMatch()) {
        address = host.toLower();
        return;
    }
    if (text.toLower().contains(QStringLiteral("www."))) {
        text.remove(QStringLiteral("www."));
        if (const qsizetype dot = text.indexOf(u'.'); dot >= 0)
            text.truncate(dot);
    }
    address = legacy::properCase(text);
}

} // namespace lorva
