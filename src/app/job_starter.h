// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace orbisk {

// What a flow asks of the window to show its change on the map: a job with
// the action that caused it. A flow does nothing while a job runs.
class JobStarter {
public:
    virtual ~JobStarter() = default;
    virtual bool Busy() const = 0;
    // Starts a job unless one runs; `prepare` changes the job state for it
    // first, and only when it starts. Whether it started.
    virtual bool StartJob(int actionCode, int jobCode, const std::function<void()>& prepare) = 0;
    bool StartJob(int actionCode, int jobCode) { return StartJob(actionCode, jobCode, {}); }
    // StartJob, or when a job runs, right after it: a change the running
    // job cannot show still reaches the map.
    virtual void StartJobWhenIdle(int actionCode, int jobCode) = 0;
    // A marker set was loaded: its view replaces the local search.
    virtual void ShowMarkerSet(int actionCode) = 0;
};

} // namespace orbisk
