// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/map_request_builder.h"

#include <QObject>
#include <functional>
#include <optional>
#include <thread>

namespace orbisk {

// Runs one job at a time on a worker thread. The worker gets a snapshot and
// shares nothing with the window; its result comes back on the window thread.
class JobRunner : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const JobOutcome&)>;

    explicit JobRunner(QObject* parent = nullptr) : QObject(parent) {}
    // Waits for a worker still running, so that nothing outlives the window.
    ~JobRunner() override;

    // `done` runs on this object's thread.
    void Start(JobSnapshot snapshot, Done done);
    void Wait();

private:
    std::thread worker_;
};

} // namespace orbisk
