#include "browser/SiteName.h"
#include "browser/TypedText.h"

#include <gtest/gtest.h>

using lorva::Site_Name;

TEST(SiteName, FollowsTheExamplesTable)
{
    const struct
    {
        const char *address;
        const char *name;
    } rows[] = {
        {"http://www.example.co.uk/news/today.html", "Example"},
        {"https://www.example.org", "Example"},
        {"www.example.com", "Example"},
        {"http://news.example.com/world", "News.example.com"},
        {"news.example.com/world", "News.example.com"},
        {"ftp://files.example.com/pub", "Ftp:"},
        {"/just/a/path", ""},
        {"HTTP://EXAMPLE.COM/x", "Http:"},
        {"WWW.EXAMPLE.COM", "Www"},
        {"http://127.0.0.1:8080/page", "127.0.0.1"},
        {"http://LocalHost:8000/", "localhost"},
        {"10.1.2.3", "10.1.2.3"},
        {"http://127.0.0.1.example.com/", "127.0.0.1.example.com"},
        {"http://mywww.example.com/", "Myexample"}, // "www." removed wherever it stands
        {"http://news.example.com", "News.example.com"}, // no path: the whole host
        {"", ""},
        {"http://my site.com/", "My Site.com"},    // a space starts a new word
        {"http://HeLLo-World.com/", "Hello-world.com"},
        {"https://http://x.org/", "X.org"},
    };
    for (const auto &row : rows) {
        QString text = QString::fromLatin1(row.address);
        Site_Name(text);
        EXPECT_EQ(text, QString::fromLatin1(row.name)) << row.address;
    }
}

TEST(TypedText, WordsAreSearchedAndAddressesOpened)
{
    const QString search = QStringLiteral("https://search.example/?q=");
    const struct
    {
        const char *typed;
        const char *opened;
    } rows[] = {
        {"python pathlib", "https://search.example/?q=python%20pathlib"},
        {"  lorem  ipsum  ", "https://search.example/?q=lorem%20ipsum"},
        {"pathlib", "https://search.example/?q=pathlib"},
        {"python: pathlib", "https://search.example/?q=python%3A%20pathlib"},
        {"c++ & c#?", "https://search.example/?q=c%2B%2B%20%26%20c%23%3F"},
        {"example.com", "http://example.com"},
        {"example.com/a b", "https://search.example/?q=example.com%2Fa%20b"},
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"LOCALHOST", "http://LOCALHOST"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"[::1]:8080/doc", "http://[::1]:8080/doc"},
        {"user@host.example/x", "http://user@host.example/x"},
        {"https://example.com/a?b=c d", "https://example.com/a?b=c d"},
        {"file:///usr/share/doc", "file:///usr/share/doc"},
        {"lorvaspeak://start", "lorvaspeak://start"},
        {"about:blank", "about:blank"},
        {"trailing.", "https://search.example/?q=trailing."},
    };
    for (const auto &row : rows)
        EXPECT_EQ(lorva::addressForTyped(QString::fromUtf8(row.typed), search), QString::fromUtf8(row.opened))
            << row.typed;
    // Without a search site the text opens as an address, as before.
    EXPECT_EQ(lorva::addressForTyped(QStringLiteral("pathlib"), QString()), QStringLiteral("http://pathlib"));
}
