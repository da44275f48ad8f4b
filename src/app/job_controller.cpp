// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/job_controller.h"

#include "app/busy_indicator.h"
#include "app/core/job_state.h"
#include "app/core/main_layout.h"
#include "app/explorer1.h"
#include "app/job_runner.h"
#include "app/map_web_page.h"
#include "app/startup_trace.h"
#include "markers/marker_set.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"
#include "update/definition_update.h"

#include <QUrl>

namespace orbisk {

JobController::JobController(JobState& state, CExplorer1& browser, BusyIndicator& indicator,
                             JobContext context, QObject* parent)
    : QObject(parent), state_(state), browser_(browser), indicator_(indicator), context_(context),
      runner_(new JobRunner(this)) {
    connect(&browser_, &CExplorer1::navigateError, this, &JobController::OnNavigateError);
    // Any page that loads ends the job: the map, or the error page after a failure.
    connect(&browser_, &CExplorer1::downloadComplete, this, &JobController::End);
    connect(&browser_, &CExplorer1::documentComplete, this, [this] { indicator_.ShowDone(); });
}

bool JobController::Start(int actionCode, int jobCode, const std::function<void()>& prepare) {
    if (busy_)
        return false;
    if (prepare)
        prepare();
    state_.Begin(actionCode, jobCode);
    busy_ = true;
    indicator_.Start();
    emit busyChanged(true);
    Run();
    return true;
}

void JobController::End() {
    if (!busy_)
        return;
    busy_ = false;
    emit busyChanged(false);
}

void JobController::Wait() {
    runner_->Wait();
}

// Everything but the view is taken when the job begins; the view is read
// without waiting for it, so the window's events go on while the page
// answers, and the worker starts once it has.
void JobController::Run() {
    StartupTrace::Mark("job started");
    auto job = std::make_shared<JobSnapshot>();
    state_.FillSnapshot(*job);
    job->browserWidth = context_.layout.browserWidth;
    job->browserHeight = context_.layout.browserHeight;
    job->markerSet = context_.markerSet;
    job->definitions = context_.definitions;
    job->settingsFragment = context_.settings.MapRequestFragment();
    job->defaultZoom = context_.settings.Get(SettingsStore::DefaultZoom);
    job->computerName = context_.environment.computerName;
    job->proxyServer = context_.environment.proxyServer;
    job->timeouts = context_.timeouts;
    browser_.ReadMapView(context_.mapView, this, [this, job] {
        StartupTrace::Mark("view read");
        job->mapView = context_.mapView;
        runner_->Start(std::move(*job), [this](const JobOutcome& outcome) { Apply(outcome); });
    });
}

// On the window thread, in order: the state the job produced, the navigation, the title.
void JobController::Apply(const JobOutcome& outcome) {
    if (!outcome) {
        Fail(QString::fromStdString(outcome.error()));
        return;
    }
    const JobResult& result = *outcome;
    state_.ApplyResult(result, context_.definitions.fixedStrings.At(FixedStrings::ProductTitle));
    context_.markerSet.country = result.markerSetCountry;
    const QByteArray body = QByteArray::fromStdString(result.body);
    const QString address = QString::fromStdString(result.address);
    if (const QString foreign = MapWebPage::ForeignServerOf(QUrl(address)); !foreign.isEmpty()) {
        Refuse(foreign);
        return;
    }
    browser_.NavigateWithPost(address, body);
    emit requestSent(address, body);
    emit placeChanged();
    for (const std::string* error : {&result.locateError, &result.searchError})
        if (!error->empty())
            emit serviceFailed(QString::fromStdString(*error));
}

// The map page is not asked for: the view says why, and so does a message.
void JobController::Refuse(const QString& reason) {
    browser_.ShowNotice(tr("The map cannot be shown"), reason);
    Fail(reason);
}

void JobController::Fail(const QString& reason) {
    indicator_.ShowFailed();
    End();
    emit failed(reason);
}

// When the error page itself cannot be shown, the job ends there.
void JobController::OnNavigateError() {
    if (!indicator_.ShowFailed()) {
        End();
        return;
    }
    const auto page = context_.environment.files.ForReading("\\html\\HomeSiteError.htm");
    browser_.NavigateTo(QUrl::fromLocalFile(QString::fromStdString(page.string())).toString());
}

} // namespace orbisk
