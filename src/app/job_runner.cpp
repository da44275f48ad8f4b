// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/job_runner.h"

#include "app/startup_trace.h"

#include <QMetaObject>

namespace orbisk {

JobRunner::~JobRunner() {
    Wait();
}

void JobRunner::Wait() {
    if (worker_.joinable())
        worker_.join();
}

void JobRunner::Start(JobSnapshot snapshot, Done done) {
    Wait();
    worker_ = std::thread([this, snapshot = std::move(snapshot), done = std::move(done)] {
        JobOutcome outcome = RunJob(snapshot);
        StartupTrace::Mark("job done");
        QMetaObject::invokeMethod(
            this, [done, outcome = std::move(outcome)] { done(outcome); }, Qt::QueuedConnection);
    });
}

} // namespace orbisk
