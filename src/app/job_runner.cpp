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
        std::optional<JobResult> result = RunJob(snapshot);
        StartupTrace::Mark("job done");
        QMetaObject::invokeMethod(
            this, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
    });
}

} // namespace orbisk
