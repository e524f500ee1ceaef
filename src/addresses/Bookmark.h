#pragma once

#include <QString>

#include <optional>

namespace lorva {

inline const QString kBookmarkFile = QStringLiteral("Data/LorvaBook.bm");

// Stores `lastGoUrl` as the one bookmark: one line, CR LF, written whole.
// Throws AppError when it cannot.
void Save_BookMark(const QString &programFolder, const QString &lastGoUrl);

// The bookmark's first line; nothing when there is no bookmark file or it
// is empty (an empty line is a bookmark of an empty address).
std::optional<QString> Read_BookMark(const QString &programFolder);

} // namespace lorva
