#include "browser/SiteName.h"

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
        {"http://127.0.0.1:8080/page", "127.0.0.1:8080"},
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
