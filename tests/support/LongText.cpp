#include "support/LongText.h"

#include <QFile>
#include <QRegularExpression>

namespace lorva::test {

namespace {

QString manualText()
{
    QFile file(QStringLiteral("/usr/share/doc/bash/bashref.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString html = QString::fromUtf8(file.readAll());
    html.remove(QRegularExpression(QStringLiteral("<(head|script|style)\\b.*?</\\1>"),
                                   QRegularExpression::DotMatchesEverythingOption |
                                       QRegularExpression::CaseInsensitiveOption));
    html.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    static const std::pair<const char *, const char *> entities[] = {
        {"&nbsp;", " "}, {"&rsquo;", "'"}, {"&lsquo;", "'"}, {"&para;", " "}, {"&quot;", "\""}, {"&gt;", ">"},
        {"&lt;", "<"},   {"&hellip;", "..."}, {"&rdquo;", "\""}, {"&ldquo;", "\""}, {"&amp;", "&"}};
    for (const auto &[entity, text] : entities)
        html.replace(QLatin1String(entity), QLatin1String(text));
    // Paragraphs stay apart, as the page's text has them.
    html.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    html.replace(QRegularExpression(QStringLiteral("\\s*\\n\\s*")), QStringLiteral("\n"));
    return html.trimmed();
}

} // namespace

QString longText(qsizetype chars)
{
    static const QString manual = manualText();
    if (manual.isEmpty())
        return {};
    QString text;
    while (text.size() < chars)
        text += manual + u'\n';
    qsizetype end = text.indexOf(u'\n', chars);
    const qsizetype sentence = text.indexOf(QLatin1String(". "), chars);
    if (sentence >= 0 && (end < 0 || sentence < end))
        end = sentence + 1;
    return end < 0 ? text : text.left(end);
}

} // namespace lorva::test
