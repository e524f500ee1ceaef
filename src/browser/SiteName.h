#pragma once

#include <QString>

namespace lorva {

// Turns an address into the short site name a tab shows, in place: the host,
// or for a "www." host only the word after it, in proper case.
void Site_Name(QString &address);

} // namespace lorva
