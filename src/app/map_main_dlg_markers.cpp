// The main window's marker set commands: save, load, send, placing markers.
#include "app/explorer1.h"
#include "app/map_main_dlg.h"
#include "common/leading_number.h"
#include "markers/marker_set_file.h"
#include "markers/marker_set_texts.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "protocol/map_request_builder.h"
#include "update/definition_update.h"

namespace orbisk {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

std::string CMapMainDlg::ProgramFile(int fixedString) const {
    return ProgramFilePath(environment_.programDirectory, definitions_.fixedStrings.At(fixedString))
        .string();
}

void CMapMainDlg::SyncMarkerSetWithView() {
    browser_->ReadMapView(mapView_);
    currentMarkerSet_.SyncWithView(mapView_);
}

SaveOutcome CMapMainDlg::SaveWithDialog(MarkerSet& set, const MapViewState* view,
                                        const std::string& initialPath, std::string& why) {
    if (view) {
        const int outside = set.CountOutside(LeadingNumber(view->yMin), LeadingNumber(view->yMax),
                                             LeadingNumber(view->xMin), LeadingNumber(view->xMax));
        if (outside > 0 &&
            messageBox(Text(OutOfScreenQuestion(static_cast<int>(set.Markers().size()), outside)),
                       "Question", QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::No)
            return SaveOutcome::Cancelled;
    }
    const QString path = fileDialog(true, Text(initialPath));
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (!MarkerSetFile().WriteFile(set, path.toStdString(), &why))
        return SaveOutcome::Failed;
    set.SetModified(false);
    return SaveOutcome::Saved;
}

// What the worker reads must not change while a job runs.
void CMapMainDlg::SaveMarkerSet() {
    if (busy_)
        return;
    SyncMarkerSetWithView();
    std::string why;
    if (SaveWithDialog(currentMarkerSet_, &mapView_,
                       ProgramFile(FixedStrings::CurrentMarkerSetFile), why) == SaveOutcome::Failed)
        ShowMessage(Text("Failed to save marker set!\n" + why), "Error", QMessageBox::Critical);
}

void CMapMainDlg::LoadMarkerSet() {
    if (busy_)
        return;
    if (currentMarkerSet_.IsModified() &&
        messageBox("You have unsaved marker(s) in your current marker set.\nYou can save them "
                   "before you load new "
                   "marker set.\n\nDo you want to load new marker set now and ignore the unsaved "
                   "marker(s)?",
                   "Question", QMessageBox::Question,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::No)
        return;
    const QString path = fileDialog(false, Text(ProgramFile(FixedStrings::CurrentMarkerSetFile)));
    std::string why;
    if (!path.isEmpty() && !MarkerSetFile().ReadFile(currentMarkerSet_, path.toStdString(), &why)) {
        ShowMessage(Text("Failed to load marker set file.\n" + why), "Error",
                    QMessageBox::Critical);
        return;
    }
    AfterMarkerSetLoaded(10);
}

void CMapMainDlg::SendMarkerSet() {
    if (busy_)
        return;
    SyncMarkerSetWithView();
    const std::string path = ProgramFile(FixedStrings::SendMarkerSetFile);
    std::string why;
    // Nothing to attach, nothing to send: the mail program is not started.
    if (!MarkerSetFile().WriteFile(currentMarkerSet_, path, &why)) {
        ShowMessage(Text("Failed to save marker set to " + path + "\n" + why), "Error",
                    QMessageBox::Critical);
        return;
    }
    ShowMessage(Text(SendInformationText(true, path)), "Information", QMessageBox::Information);
    if (!browser_->NavigateTo(
            Text(SendMailLink(currentMarkerSet_.title, definitions_.fixedStrings))))
        ShowMessage(Text("No mail program could be started. Attach this file to a message "
                         "by hand:\n" +
                         path),
                    "Error", QMessageBox::Critical);
}

void CMapMainDlg::TogglePlacingMode() {
    browser_->setPlacingMode(browser_->placingMode() == CExplorer1::Placing ? CExplorer1::Normal
                                                                            : CExplorer1::Placing);
    UpdateCursor();
}

void CMapMainDlg::AddMarkerAt(QPoint position) {
    const auto [latitude, longitude] = browser_->PixelToLatLng(position, mapView_);
    MarkerDetails details;
    details.title = QString("My marker name %1").arg(currentMarkerSet_.Markers().size() + 1);
    details.url = "http://";
    details.latitude = Text(latitude);
    details.longitude = Text(longitude);
    if (!markerDetails(details))
        return;
    Marker marker;
    marker.lat = details.latitude.toStdString();
    marker.lng = details.longitude.toStdString();
    marker.title = details.title.toStdString();
    marker.url = details.url == "http://" ? "" : details.url.toStdString();
    for (const QString& line : details.lines)
        marker.infoLines.push_back(line.toStdString());
    currentMarkerSet_.AddMarker(marker);
    SyncMarkerSetWithView();
    actionCode_ = 8;
    StartJob(kSendResults);
}

void CMapMainDlg::EditMarkerSet() {
    if (busy_)
        return;
    SyncMarkerSetWithView();
    CDialogEditMarkerSet dialog(currentMarkerSet_, this);
    dialog.editMarker = markerDetails;
    const std::string savePath = ProgramFile(FixedStrings::CurrentMarkerSetFile);
    dialog.saveSet = [this, savePath](MarkerSet& set, std::string& why) {
        return SaveWithDialog(set, nullptr, savePath, why);
    };
    dialog.showError = [this](const QString& text) {
        ShowMessage(text, "Error", QMessageBox::Critical);
    };
    if (runMarkerSetDialog(dialog) != QDialog::Accepted && !dialog.HandedOver())
        return;
    actionCode_ = 9;
    StartJob(kMarkerSetView);
}

void CMapMainDlg::CheckForUpdate() {
    if (CheckForNewerProgram(definitions_.newUpdate.ver))
        updateDialog(Text(definitions_.newUpdate.name),
                     Text(definitions_.newUpdate.downloadAddress));
    else
        ShowMessage("Currently no update is available.", "Information", QMessageBox::Information);
}

} // namespace orbisk
