#pragma once

#include <QString>
#include <QStringList>

namespace lorva {

// The drop-down list of the address box, which is the history itself.
class AddressList
{
public:
    virtual ~AddressList() = default;
    virtual int count() const = 0;
    virtual QString item(int index) const = 0;
    virtual void append(const QString &text) = 0;
    // The text in the box.
    virtual QString text() const = 0;
};

inline const QString kHistoryFile = QStringLiteral("Data/lorvaspeak.Hys");
inline constexpr int kHistoryKept = 30;

// Appends the lines of the history file to the list, no more than the newest
// 60 (twice what a save keeps); a missing or unreadable file leaves the list
// as it is.
void Hyst_Read(const QString &programFolder, AddressList &list);

// Appends `currentUrl` unless an item, trimmed of spaces, equals the box's
// trimmed text.
void Hyst_Add(AddressList &list, const QString &currentUrl);

// The newest 30 items, leaving out empty ones, as the file keeps them.
QStringList historyLines(const AddressList &list);

// Writes them. Throws AppError.
void Hyst_Save(const QString &programFolder, const AddressList &list);

} // namespace lorva
