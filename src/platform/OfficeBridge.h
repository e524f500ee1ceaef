#pragma once

#include "platform/OfficeSuite.h"

#include <memory>

namespace lorva {

// LibreOffice through the helper program `helper` (lorvaspeak-office), which
// links the office's UNO libraries so that this program never does. Each
// export works in a private folder under `tempParent` (empty: the usual
// place, "lorvaspeak-<uid>" in the temporary folder).
std::unique_ptr<OfficeSuite> createOfficeBridge(const QString &helper, const QString &tempParent = {});

} // namespace lorva
