#pragma once

// The exports' temporary area, shared by the program and its office helper.
//
// Each export works in a private folder of its own, "lorvaspeak-office-*"
// under one parent per user: the office's profile, its temporary files (its
// TMPDIR), the private copies of the documents it opens, and a list of the
// pipes it listens on (those go to /tmp whatever TMPDIR says). The folder
// is removed when the export ends, however the helper and the office end;
// one whose owners are all gone (the program was killed too) is removed at
// the next export. Ownership is a shared lock on the file "owner" in it:
// the kernel drops it when the process holding it dies.
#include <string>
#include <sys/types.h>
#include <vector>

namespace lorva::office {

// The parent of the exports' folders: "lorvaspeak-<uid>" in the temporary
// folder ($TMPDIR, else /tmp).
std::string defaultTempParent();

// Makes a private folder for one export under `parent` (made too if need
// be, readable by this user only) and holds it: `lock` is the descriptor
// whose shared lock keeps it from being taken for stale; close it when done.
// Empty (with `error` set) when that fails.
std::string createExportFolder(const std::string &parent, int &lock, std::string &error);

// Holds `folder` as one of its owners; the descriptor to close, or -1.
int holdExportFolder(const std::string &folder);

// Removes `folder` and the pipes recorded in it.
void removeExportFolder(const std::string &folder);

// Removes the folders under `parent` that nobody holds any more.
void removeStaleExportFolders(const std::string &parent);

// Records `pipes` (paths of sockets) as the export's in `folder`, once each.
void recordPipes(const std::string &folder, const std::vector<std::string> &pipes);

// The sockets in the file system that process `pid` listens on.
std::vector<std::string> listeningSockets(pid_t pid);

} // namespace lorva::office
