#pragma once

#include "platform/Downloads.h"

#include <QString>

#include <memory>

class QWebEngineProfile;

namespace lorva {

// The downloads of `profile`'s pages. Pages the program saves itself (the
// web archive, the page capture) are left to whoever asked for them.
std::unique_ptr<Downloads> createEngineDownloads(QWebEngineProfile *profile);

// The engine writes its files for their owner only; a file the user saved
// gets the permissions of any other file of theirs (those the umask allows).
void giveUsualPermissions(const QString &path);

} // namespace lorva
