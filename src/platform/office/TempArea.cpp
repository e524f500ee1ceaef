#include "platform/office/TempArea.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorva::office {

namespace {

const char kPrefix[] = "lorvaspeak-office-";

std::string ownerFile(const std::string &folder) { return folder + "/owner"; }
std::string pipesFile(const std::string &folder) { return folder + "/pipes"; }

// A folder of this user's that nobody else may write in, and no link.
bool privateFolder(const std::string &path)
{
    struct stat info = {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 022) == 0;
}

std::vector<std::string> recordedPipes(const std::string &folder)
{
    std::vector<std::string> pipes;
    std::ifstream file(pipesFile(folder));
    for (std::string line; std::getline(file, line);) {
        if (!line.empty())
            pipes.push_back(line);
    }
    return pipes;
}

} // namespace

std::string defaultTempParent()
{
    const char *tmp = std::getenv("TMPDIR");
    const std::string base = tmp && tmp[0] == '/' ? tmp : "/tmp";
    return base + "/lorvaspeak-" + std::to_string(getuid());
}

std::string createExportFolder(const std::string &parent, int &lock, std::string &error)
{
    lock = -1;
    if (mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot make the temporary folder " + parent + ": " + std::strerror(errno);
        return {};
    }
    // A folder of that name made by someone else could be read or filled
    // by them: the office's files never go there.
    if (!privateFolder(parent)) {
        error = "the temporary folder " + parent + " is not this user's own";
        return {};
    }
    std::string name = parent + "/" + kPrefix + "XXXXXX";
    if (!mkdtemp(name.data())) {
        error = "cannot make a folder in " + parent + ": " + std::strerror(errno);
        return {};
    }
    const int fd = open(ownerFile(name).c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 || flock(fd, LOCK_SH) != 0) {
        error = "cannot hold the folder " + name + ": " + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        std::error_code ignored;
        std::filesystem::remove_all(name, ignored);
        return {};
    }
    lock = fd;
    return name;
}

int holdExportFolder(const std::string &folder)
{
    const int fd = open(ownerFile(folder).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && flock(fd, LOCK_SH | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void removeExportFolder(const std::string &folder)
{
    if (folder.empty())
        return;
    // Only the office's own pipes, whatever the record says.
    for (const std::string &pipe : recordedPipes(folder)) {
        struct stat info = {};
        const std::string name = pipe.substr(pipe.rfind('/') + 1);
        if (name.rfind("OSL_PIPE_", 0) == 0 && lstat(pipe.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) &&
            info.st_uid == getuid())
            unlink(pipe.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void removeStaleExportFolders(const std::string &parent)
{
    if (!privateFolder(parent))
        return;
    DIR *dir = opendir(parent.c_str());
    if (!dir)
        return;
    std::vector<std::string> folders;
    while (const dirent *entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, kPrefix, sizeof kPrefix - 1) == 0)
            folders.push_back(parent + "/" + entry->d_name);
    }
    closedir(dir);
    const auto now = std::chrono::system_clock::now();
    for (const std::string &folder : folders) {
        struct stat info = {};
        if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
            continue;
        // A folder just made may not hold its owner's lock yet.
        if (now - std::chrono::system_clock::from_time_t(info.st_mtime) < std::chrono::seconds(10))
            continue;
        const int fd = open(ownerFile(folder).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd); // still held: an export under way
            continue;
        }
        removeExportFolder(folder);
        if (fd >= 0)
            close(fd);
    }
}

void recordPipes(const std::string &folder, const std::vector<std::string> &pipes)
{
    const std::vector<std::string> known = recordedPipes(folder);
    const std::set<std::string> recorded(known.begin(), known.end());
    std::string lines;
    for (const std::string &pipe : pipes) {
        if (!recorded.count(pipe) && lines.find(pipe + "\n") == std::string::npos)
            lines += pipe + "\n";
    }
    if (lines.empty())
        return;
    const int fd = open(pipesFile(folder).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const ssize_t written = write(fd, lines.data(), lines.size());
    (void)written;
    close(fd);
}

std::vector<std::string> listeningSockets(pid_t pid)
{
    std::set<std::string> inodes;
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    if (DIR *dir = opendir(fds.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            char target[64] = {};
            const std::string link = fds + "/" + entry->d_name;
            const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
            if (n > 9 && std::strncmp(target, "socket:[", 8) == 0)
                inodes.insert(std::string(target + 8, size_t(n - 9)));
        }
        closedir(dir);
    }
    std::vector<std::string> paths;
    if (inodes.empty())
        return paths;
    // Num RefCount Protocol Flags Type St Inode Path
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string num, refs, protocol, flags, type, state, inode, path;
        if (fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> path && path[0] == '/' &&
            inodes.count(inode) && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    }
    return paths;
}

} // namespace lorva::office
