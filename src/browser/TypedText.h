#pragma once

#include <QString>

namespace lorva {

// Whether text typed into the address box names a place to open rather
// than words to look for: it has a scheme ("https:", "file:", "mailto:"
// ...), or it is one word whose host part has a dot, is "localhost" or is
// an IP address.
bool isAddress(const QString &typed);

// The address that typed text opens: an address as it is, with "http://"
// in front when it has no scheme; words are searched for on `searchUrl`
// (the language file's search site, which ends where the words go). With
// no search site, words open as an address, as they always did.
QString addressForTyped(const QString &typed, const QString &searchUrl);

// `searchUrl` with `words` appended, encoded for an address.
QString searchAddress(const QString &searchUrl, const QString &words);

} // namespace lorva
