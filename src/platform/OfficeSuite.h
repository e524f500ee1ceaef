#pragma once

#include "platform/office/Protocol.h"

#include <QString>

#include <functional>

namespace lorva {

// The office suite, asynchronous: it runs out of the program's process, and
// every result arrives later through a callback on the program's thread.
class OfficeSuite
{
public:
    using Done = std::function<void(const OfficeResult &)>;

    virtual ~OfficeSuite() = default;

    // Whether an office suite is installed to do the work.
    virtual bool available() = 0;
    // Starts the office in the background, so that it is ready when the work
    // comes (while the user is still in the save dialog).
    virtual void prepare() = 0;
    // Does `job` (preparing first if that has not happened); `done` is called
    // once with the result, unless cancel() comes first. The office ends
    // after each job.
    virtual void run(const OfficeJob &job, Done done) = 0;
    // Ends the export under way: stops an office that was prepared for work
    // that will not come, or gives up the work it was given (and `done` of
    // that work is never called).
    virtual void cancel() = 0;
};

} // namespace lorva
