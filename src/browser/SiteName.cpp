#include "browser/SiteName.h"

namespace lorva {

namespace {

bool separatesWords(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0 || u == 9 || u == 10 || u == 11 || u == 12 || u == 13 || u == 32;
}

} // namespace

QString properCase(const QString &text)
{
    QString out = text;
    bool wordStart = true;
    for (QChar &c : out) {
        if (separatesWords(c)) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return out;
}

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
    address = properCase(text);
}

} // namespace lorva
