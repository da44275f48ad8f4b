// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbisk {

// Counts idle timer ticks towards the one newer-program notice of a run:
// about a minute (600 ticks of 100 ms) after start-up, never while a job runs.
class UpdateNotice {
public:
    static constexpr int kTicksBeforeNotice = 600;

    // One timer tick with the busy state and the update preference (setting
    // 2). True exactly once, when the window should show the Update dialog:
    // the count is done, the preference is Notify and a newer program exists.
    bool Tick(bool busy, int updatePreference, bool newerProgram);
    // -1 once the notice was considered.
    int Ticks() const { return ticks_; }

private:
    int ticks_ = 0;
};

} // namespace orbisk
