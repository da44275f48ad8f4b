// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/map_request_builder.h"
#include "services/http_client.h"

#include <QObject>
#include <functional>
#include <optional>

namespace orbisk {

class BusyIndicator;
class CExplorer1;
class JobRunner;
class JobState;
class MarkerSet;
class ServiceDefinitions;
class SettingsStore;
struct MainLayout;
struct MapViewState;
struct ProgramEnvironment;

// What a job reads besides the job state, owned by the window.
struct JobContext {
    const ServiceDefinitions& definitions;
    MarkerSet& markerSet;
    MapViewState& mapView;
    const SettingsStore& settings;
    const ProgramEnvironment& environment;
    const MainLayout& layout;
    const HttpTimeouts& timeouts;
};

// Owns a job's life: starts it unless one runs, reads the map's view, hands
// a snapshot to the worker, applies what comes back and sends the map page
// request; the job ends when its page has loaded or failed, and a failed
// page shows the error page. busyChanged tells each start and end.
class JobController : public QObject {
    Q_OBJECT
public:
    JobController(JobState& state, CExplorer1& browser, BusyIndicator& indicator,
                  JobContext context, QObject* parent);

    // Starts a job unless one runs: `prepare` (when given) changes the state
    // for it first, and only then. Whether the job started.
    bool Start(int actionCode, int jobCode, const std::function<void()>& prepare);
    bool Busy() const { return busy_; }
    void Wait();

signals:
    void busyChanged(bool busy);
    void requestSent(const QString& address, const QByteArray& body);
    // The last place changed: the title follows.
    void placeChanged();
    // The job failed before its page, and this is why, for the user.
    void failed(const QString& reason);
    // The map went out, but a service of the job (the lookup of the place,
    // the local search) had no answer, and this is why.
    void serviceFailed(const QString& reason);

private:
    void Run();
    void Apply(const JobOutcome& outcome);
    void OnNavigateError();
    void Refuse(const QString& reason);
    void Fail(const QString& reason);
    void End();

    JobState& state_;
    CExplorer1& browser_;
    BusyIndicator& indicator_;
    JobContext context_;
    JobRunner* runner_;
    bool busy_ = false;
};

} // namespace orbisk
