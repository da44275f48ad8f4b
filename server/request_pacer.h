// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <mutex>

namespace orbisk::server {

// Spaces the requests to one outside service: each caller gets the next free
// turn, at least `interval` after the one before, and waits for it. A turn
// further away than the caller may wait is not taken, so a queue longer
// than a user would wait falls back to the offline answer instead.
class RequestPacer {
public:
    using Clock = std::chrono::steady_clock;

    // Waits for the caller's turn and returns true, or returns false at once
    // when that turn is more than `maxWait` away.
    bool WaitTurn(std::chrono::milliseconds interval, std::chrono::milliseconds maxWait);

private:
    std::mutex mutex_;
    Clock::time_point next_{};
};

} // namespace orbisk::server
