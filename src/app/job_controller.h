// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/http_client.h"

#include <QObject>
#include <optional>

namespace orbisk {

class BusyIndicator;
class CExplorer1;
class JobRunner;
class JobState;
class MarkerSet;
class ServiceDefinitions;
class SettingsStore;
struct JobOutcome;
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

// Runs a job: reads the map's view, hands a snapshot to the worker, applies
// what comes back and sends the map page request; a failed page shows the
// error page.
class JobController : public QObject {
    Q_OBJECT
public:
    JobController(JobState& state, CExplorer1& browser, BusyIndicator& busy, JobContext context,
                  QObject* parent);

    // Runs the job the state has begun, until its page has loaded.
    void Run();
    void Wait();

signals:
    void requestSent(const QString& address, const QByteArray& body);
    // The last place changed: the title follows.
    void placeChanged();
    // The job failed before its page: nothing is loading any more.
    void stopped();
    // ... and this is why, for the user.
    void failed(const QString& reason);
    // The map went out, but its local search had no answer.
    void searchFailed(const QString& reason);

private:
    void Apply(const JobOutcome& outcome);
    void OnNavigateError();
    void Refuse(const QString& reason);

    JobState& state_;
    CExplorer1& browser_;
    BusyIndicator& busy_;
    JobContext context_;
    JobRunner* runner_;
};

} // namespace orbisk
