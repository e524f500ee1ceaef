#pragma once

#include "platform/office/Protocol.h"

#include <memory>
#include <string>

namespace lorva::office {

// The connection to a running office through UNO, and the work done there.
class OfficeWork
{
public:
    // `folder`: a private folder for the copies of the documents the office
    // opens (the office keeps its lock files beside what it opens, and a
    // killed office leaves them there).
    explicit OfficeWork(std::string folder);
    ~OfficeWork();

    // Connects to the office at `url`, trying until `ms` have passed or
    // `alive` says the office has gone.
    bool connect(const std::string &url, int ms, bool (*alive)(void *), void *data, std::string &error);
    OfficeResult run(const OfficeJob &job);
    // Asks the office to end (every document closed first).
    void terminate();

    // The temporary file being written, for removal if the helper is killed.
    static const char *writing();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace lorva::office
