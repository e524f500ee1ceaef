#pragma once

#include <QString>

namespace lorva {

// Turns an address into the short site name a tab shows, in place: the host,
// or for a "www." host only the word after it, in proper case.
void Site_Name(QString &address);

// First letter of every word upper case, the rest lower case; words are
// separated only by NUL, tab, line feed, vertical tab, form feed, CR and space.
QString properCase(const QString &text);

} // namespace lorva
