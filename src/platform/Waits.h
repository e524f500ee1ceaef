#pragma once

#include <functional>

namespace lorva {

// The waits of the program, which keep its events running so that nothing
// blocks the user interface; a port so that a test waits for nothing and
// changes the world meanwhile.
class Waits
{
public:
    virtual ~Waits() = default;
    // Waits `milliseconds` while the program's events keep running.
    virtual void wait(int milliseconds) = 0;
    // Lets pending events run.
    virtual void processEvents() = 0;
    // Waits with events running until `done` says so; false when `timeoutMs`
    // passed first or the program is ending.
    virtual bool waitFor(const std::function<bool()> &done, int timeoutMs) = 0;
};

} // namespace lorva
