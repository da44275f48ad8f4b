// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/marker_set_controller.h"

#include "app/core/job_state.h"
#include "app/explorer1.h"
#include "app/job_starter.h"
#include "app/mail_program_query.h"
#include "app/user_prompts.h"
#include "common/leading_number.h"
#include "markers/marker_set_file.h"
#include "markers/marker_set_texts.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "protocol/map_view_state.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"
#include "update/definition_update.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace orbisk {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MarkerSetController::MarkerSetController(MarkerSet& set, MapViewState& view, CExplorer1& browser,
                                         UserPrompts& prompts, JobStarter& jobs,
                                         const ServiceDefinitions& definitions,
                                         const ProgramEnvironment& environment,
                                         QWidget* dialogParent)
    : set_(set), view_(view), browser_(browser), prompts_(prompts), jobs_(jobs),
      definitions_(definitions), environment_(environment), dialogParent_(dialogParent) {}

std::string MarkerSetController::ProgramFile(int fixedString) const {
    return environment_.files.ForWriting(definitions_.fixedStrings.At(fixedString)).string();
}

void MarkerSetController::Error(const QString& text) {
    prompts_.Tell(text, tr("Error"), QMessageBox::Critical);
}

// The page answers later; one command at a time waits for it, so a double
// click opens one dialog.
void MarkerSetController::WithView(std::function<void()> next) {
    if (readingView_)
        return;
    readingView_ = true;
    browser_.ReadMapView(view_, dialogParent_, [this, next = std::move(next)] {
        readingView_ = false;
        set_.SyncWithView(view_);
        next();
    });
}

bool MarkerSetController::OpenCommandLine(const std::string& commandLinePath) {
    std::string path = commandLinePath;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    if (path.empty())
        return false;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        Error(tr("Failed to find marker set file %1").arg(Text(path)));
        return false;
    }
    if (!ReadInto(path, tr("Failed to load marker set from %1:\n%2").arg(Text(path))))
        return false;
    jobs_.ShowMarkerSet(kActionCommandLineFile);
    return true;
}

// A file that cannot be read leaves the current set as it was: it is read
// into a set of its own and taken over only when whole.
bool MarkerSetController::ReadInto(const std::string& path, const QString& failure) {
    MarkerSet loaded;
    std::string why;
    if (!MarkerSetFile().ReadFile(loaded, path, &why)) {
        Error(failure.arg(Text(why)));
        return false;
    }
    set_.TakeOver(loaded);
    set_.SetModified(false);
    return true;
}

SaveOutcome MarkerSetController::SaveWithDialog(MarkerSet& set, const MapViewState* view,
                                                const std::string& initialPath, std::string& why) {
    if (view) {
        const int outside = set.CountOutside(LeadingNumber(view->yMin), LeadingNumber(view->yMax),
                                             LeadingNumber(view->xMin), LeadingNumber(view->xMax));
        if (outside > 0 && prompts_.Message(Text(OutOfScreenQuestion(
                                                static_cast<int>(set.Markers().size()), outside)),
                                            tr("Question"), QMessageBox::Question,
                                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::No)
            return SaveOutcome::Cancelled;
    }
    const QString path = prompts_.ChooseFile(true, Text(initialPath));
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (!MarkerSetFile().WriteFile(set, path.toStdString(), &why))
        return SaveOutcome::Failed;
    set.SetModified(false);
    return SaveOutcome::Saved;
}

// What the worker reads must not change while a job runs.
void MarkerSetController::Save() {
    if (jobs_.Busy())
        return;
    WithView([this] { SaveNow(); });
}

SaveOutcome MarkerSetController::SaveNow() {
    std::string why;
    const SaveOutcome outcome =
        SaveWithDialog(set_, &view_, ProgramFile(FixedStrings::CurrentMarkerSetFile), why);
    if (outcome == SaveOutcome::Failed)
        Error(tr("Failed to save marker set!\n%1").arg(Text(why)));
    return outcome;
}

void MarkerSetController::Load(const QString& dropped) {
    if (jobs_.Busy())
        return;
    if (set_.IsModified() &&
        prompts_.Message(Text(ReplaceUnsavedQuestion()), tr("Question"), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::No)
        return;
    const QString path =
        dropped.isEmpty()
            ? prompts_.ChooseFile(false, Text(ProgramFile(FixedStrings::CurrentMarkerSetFile)))
            : dropped;
    if (path.isEmpty())
        return;
    if (ReadInto(path.toStdString(), tr("Failed to load marker set file.\n%1")))
        jobs_.ShowMarkerSet(kActionMarkerSetLoaded);
}

void MarkerSetController::Send() {
    if (jobs_.Busy())
        return;
    WithView([this] { SendNow(); });
}

void MarkerSetController::SendNow() {
    const std::string path = ProgramFile(FixedStrings::SendMarkerSetFile);
    std::string why;
    // Nothing to attach, nothing to send: the mail program is not started.
    if (!MarkerSetFile().WriteFile(set_, path, &why)) {
        Error(tr("Failed to save marker set to %1\n%2").arg(Text(path), Text(why)));
        return;
    }
    // With no mail program, xdg-open would open a browser on an empty tab.
    if (MailProgramRegistered() == false) {
        Error(tr("No mail program is set up on this computer. Attach this file to a message by "
                 "hand:\n%1")
                  .arg(Text(path)));
        return;
    }
    prompts_.Tell(Text(SendInformationText(true, path)), tr("Information"),
                  QMessageBox::Information);
    if (!browser_.NavigateTo(Text(SendMailLink(set_.title, definitions_.fixedStrings))))
        Error(tr("No mail program could be started. Attach this file to a message by hand:\n%1")
                  .arg(Text(path)));
}

// While a job runs the marker waits for it, so that the map it loads is not
// the last word: the job after it shows the marker.
void MarkerSetController::AddAt(QPoint position) {
    WithView([this, position] { AddNow(position); });
}

void MarkerSetController::AddNow(QPoint position) {
    const auto [latitude, longitude] = browser_.PixelToLatLng(position, view_);
    MarkerDetails details;
    details.title = tr("My marker name %1").arg(set_.Markers().size() + 1);
    details.url = "http://";
    details.latitude = Text(latitude);
    details.longitude = Text(longitude);
    if (!prompts_.EditMarker(details))
        return;
    Marker marker;
    marker.lat = details.latitude.toStdString();
    marker.lng = details.longitude.toStdString();
    marker.title = details.title.toStdString();
    marker.url = details.url == "http://" ? "" : details.url.toStdString();
    for (const QString& line : details.lines)
        marker.infoLines.push_back(line.toStdString());
    set_.AddMarker(marker);
    set_.SyncWithView(view_);
    jobs_.StartJobWhenIdle(kActionMarkerAdded, kSendResults);
}

void MarkerSetController::Edit() {
    if (jobs_.Busy())
        return;
    WithView([this] { EditNow(); });
}

void MarkerSetController::EditNow() {
    CDialogEditMarkerSet dialog(set_, dialogParent_);
    dialog.editMarker = [this](MarkerDetails& details) { return prompts_.EditMarker(details); };
    const std::string savePath = ProgramFile(FixedStrings::CurrentMarkerSetFile);
    dialog.saveSet = [this, savePath](MarkerSet& set, std::string& why) {
        return SaveWithDialog(set, nullptr, savePath, why);
    };
    dialog.showError = [this](const QString& text) {
        prompts_.Tell(text, tr("Error"), QMessageBox::Critical);
    };
    if (prompts_.EditMarkerSet(dialog) != QDialog::Accepted && !dialog.HandedOver())
        return;
    jobs_.StartJob(kActionMarkerSetEdited, kMarkerSetView);
}

// A renamed empty set is work too: any unsaved change is asked about.
bool MarkerSetController::NeedsCloseQuestion() const {
    return set_.IsModified();
}

// The job in flight works on its own copy of the set, so saving never races
// it. The window closes only when the markers are safe or the user let them go.
void MarkerSetController::AskToClose(std::function<void(bool close)> decided) {
    const auto answer = prompts_.Message(tr("You have unsaved marker(s) in your current marker "
                                            "set.\n\nClick \"Yes\" to save the markers before you "
                                            "close the window.\nClick \"No\" to ignore the unsaved "
                                            "markers and close the window.\nClick \"Cancel\" "
                                            "to return to Orbisk."),
                                         tr("Question"), QMessageBox::Question,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return decided(false);
    if (answer != QMessageBox::Yes)
        return decided(true);
    browser_.ReadMapView(view_, dialogParent_, [this, decided] {
        set_.SyncWithView(view_);
        decided(SaveNow() == SaveOutcome::Saved);
    });
}

} // namespace orbisk
