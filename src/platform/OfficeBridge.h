#pragma once

#include "platform/OfficeSuite.h"

#include <memory>

namespace lorva {

// LibreOffice through the helper program `helper` (lorvaspeak-office), which
// links the office's UNO libraries so that this program never does.
std::unique_ptr<OfficeSuite> createOfficeBridge(const QString &helper);

} // namespace lorva
