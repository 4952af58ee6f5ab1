#pragma once

// While one of these is alive, every SDL_LockSurface call in the test process
// fails, as a hardware surface that cannot be locked would. SDL's own dummy
// driver never refuses a lock, so the tests put this in front of it.
class FailingLocks {
public:
    FailingLocks();
    ~FailingLocks();
    FailingLocks(const FailingLocks&) = delete;
    FailingLocks& operator=(const FailingLocks&) = delete;
};
