#include "browser/TypedText.h"

#include <QRegularExpression>
#include <QUrl>

namespace lorva {

namespace {

// "name:" where name is a scheme's spelling; "host:8080" is no scheme.
bool hasScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    const QRegularExpressionMatch match = scheme.match(text);
    if (!match.hasMatch())
        return false;
    // A host with a port ("localhost:8080", "example.com:81/x") reads like
    // a scheme; what follows a scheme is never only digits up to a "/".
    static const QRegularExpression port(QStringLiteral("^[^:/]+:[0-9]+(/|$|\\?|#)"));
    return !port.match(text).hasMatch();
}

QString hostOf(const QString &text)
{
    QString host = text.section(u'/', 0, 0).section(u'?', 0, 0).section(u'#', 0, 0);
    if (const qsizetype at = host.lastIndexOf(u'@'); at >= 0)
        host = host.mid(at + 1);
    if (host.startsWith(u'[')) // [::1]:8080
        return host.mid(1, host.indexOf(u']') - 1);
    if (host.count(u':') == 1)
        host = host.section(u':', 0, 0);
    return host;
}

} // namespace

bool isAddress(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return false;
    // Words with spaces are a search even when the first ends in a colon
    // ("python: pathlib"); a pasted address with a space in it is not.
    const bool spaces = text.contains(QRegularExpression(QStringLiteral("\\s")));
    if (hasScheme(text) && (!spaces || text.contains(QStringLiteral("://"))))
        return true;
    if (spaces)
        return false;
    const QString host = hostOf(text);
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    // An IPv6 address, which comes in brackets.
    if (host.contains(u':'))
        return true;
    // A dot inside the host, not at its ends ("e.g." and "v1.2" still
    // read as a host: the engine says so when it finds none).
    const qsizetype dot = host.indexOf(u'.');
    return dot > 0 && dot < host.size() - 1;
}

QString searchAddress(const QString &searchUrl, const QString &words)
{
    return searchUrl + QString::fromLatin1(QUrl::toPercentEncoding(words.simplified()));
}

QString addressForTyped(const QString &typed, const QString &searchUrl)
{
    const QString text = typed.trimmed();
    if (!isAddress(text) && !searchUrl.isEmpty())
        return searchAddress(searchUrl, text);
    if (hasScheme(text))
        return text;
    return QStringLiteral("http://") + text;
}

} // namespace lorva
