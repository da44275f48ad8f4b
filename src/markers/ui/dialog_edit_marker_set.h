// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker_set.h"
#include "widgets/float_number_edit_box.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QSlider;

namespace orbisk {

struct MarkerDetails;

// How a save with its file dialog ended.
enum class SaveOutcome { Saved, Cancelled, Failed };

// "Current Marker Set": name, centre, zoom and the markers of a working copy
// of the current set. OK with changes hands the copy over; Cancel drops what
// was not saved; Save hands over what it wrote.
class CDialogEditMarkerSet : public QDialog {
    Q_OBJECT
public:
    CDialogEditMarkerSet(MarkerSet& current, QWidget* parent = nullptr);

    void EditSelected();
    void DeleteSelected();
    void Save();
    void Ok();

    // The marker detail dialog, the save with its file dialog, and messages.
    std::function<bool(MarkerDetails& details)> editMarker;
    std::function<SaveOutcome(MarkerSet& set, std::string& why)> saveSet;
    std::function<void(const QString& text)> showError;

    MarkerSet& WorkingCopy() { return working_; }
    // Whether a Save inside the dialog gave the current set new contents.
    bool HandedOver() const { return handedOver_; }
    QListWidget* markerList() const { return list_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* centerLatitudeEdit() const { return centerLat_; }
    QSlider* zoomSlider() const { return zoom_; }

private:
    void StoreFields();

    MarkerSet& current_;
    MarkerSet working_;
    QLineEdit* name_ = nullptr;
    QListWidget* list_ = nullptr;
    CFloatNumberEditBox* centerLat_ = nullptr;
    CFloatNumberEditBox* centerLng_ = nullptr;
    QSlider* zoom_ = nullptr;
    bool handedOver_ = false;
};

} // namespace orbisk
