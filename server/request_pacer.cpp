// SPDX-License-Identifier: GPL-3.0-or-later
#include "request_pacer.h"

#include <algorithm>
#include <thread>

namespace orbisk::server {

bool RequestPacer::WaitTurn(std::chrono::milliseconds interval, std::chrono::milliseconds maxWait) {
    Clock::time_point turn;
    {
        std::lock_guard lock(mutex_);
        const Clock::time_point now = Clock::now();
        turn = std::max(now, next_);
        if (turn - now > maxWait)
            return false;
        next_ = turn + interval;
    }
    std::this_thread::sleep_until(turn);
    return true;
}

} // namespace orbisk::server
