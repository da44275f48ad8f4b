// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/ui/dialog_edit_marker_set.h"

#include "markers/ui/dialog_add_new_marker.h"
#include "widgets/float_number_edit_box.h"
#include "widgets/safe_edit_box.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace orbisk {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CDialogEditMarkerSet::CDialogEditMarkerSet(MarkerSet& current, QWidget* parent)
    : QDialog(parent), current_(current), working_(current.CloneForEditing()) {
    setWindowTitle(tr("Current Marker Set"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    name_ = new CSafeEditBox(this);
    name_->setText(Text(working_.title));
    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setIconSize(QSize(20, 34));
    const QIcon markerImage(":/icons/183.svg");
    for (const Marker& marker : working_.Markers())
        list_->addItem(new QListWidgetItem(markerImage, Text(marker.title)));
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    auto* edit = new QPushButton(tr("Edit"), this);
    auto* remove = new QPushButton(tr("Delete"), this);
    connect(edit, &QPushButton::clicked, this, &CDialogEditMarkerSet::EditSelected);
    connect(remove, &QPushButton::clicked, this, &CDialogEditMarkerSet::DeleteSelected);
    auto* markerButtons = new QVBoxLayout;
    markerButtons->addWidget(edit);
    markerButtons->addWidget(remove);
    markerButtons->addStretch();
    auto* markersGroup = new QGroupBox(tr("Markers"), this);
    auto* markersLayout = new QHBoxLayout(markersGroup);
    markersLayout->addWidget(list_);
    markersLayout->addLayout(markerButtons);

    centerLat_ = new CFloatNumberEditBox(this);
    centerLng_ = new CFloatNumberEditBox(this);
    centerLat_->SetNumberText(Text(working_.centerLat));
    centerLng_->SetNumberText(Text(working_.centerLng));
    zoom_ = new QSlider(Qt::Horizontal, this);
    zoom_->setRange(0, 16);
    zoom_->setValue(working_.zoom);
    auto* locationGroup = new QGroupBox(tr("Location"), this);
    auto* location = new QFormLayout(locationGroup);
    location->addRow(tr("Map center latitude:"), centerLat_);
    location->addRow(tr("Map center longitude:"), centerLng_);
    location->addRow(tr("Map zoom level:"), zoom_);

    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(":/icons/181.svg").pixmap(40, 40));
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    auto* nameForm = new QFormLayout;
    nameForm->addRow(tr("Name:"), name_);
    top->addLayout(nameForm);
    auto* save = new QPushButton(tr("Save"), this);
    connect(save, &QPushButton::clicked, this, &CDialogEditMarkerSet::Save);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(save, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogEditMarkerSet::Ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(markersGroup);
    layout->addWidget(locationGroup);
    layout->addWidget(buttons);
}

void CDialogEditMarkerSet::EditSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(working_.Markers().size()))
        return;
    Marker& marker = working_.Markers()[row];
    // Markers written elsewhere may have fewer than four lines; they get four.
    if (marker.infoLines.size() < 4)
        marker.infoLines.resize(4);
    MarkerDetails details{
        Text(marker.title), Text(marker.url), {}, Text(marker.lat), Text(marker.lng)};
    for (int i = 0; i < 4; ++i)
        details.lines[i] = Text(marker.infoLines[i]);
    const MarkerDetails before = details;
    if (!editMarker(details))
        return;
    bool changed = details.title != before.title || details.url != before.url ||
                   details.latitude != before.latitude || details.longitude != before.longitude ||
                   details.lines != before.lines;
    if (!changed)
        return;
    working_.SetModified(true);
    marker.title = details.title.toStdString();
    marker.url = details.url.toStdString();
    marker.lat = details.latitude.toStdString();
    marker.lng = details.longitude.toStdString();
    for (int i = 0; i < 4; ++i)
        marker.infoLines[i] = details.lines[i].toStdString();
    list_->item(row)->setText(details.title);
}

void CDialogEditMarkerSet::DeleteSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(working_.Markers().size()))
        return;
    working_.Markers().erase(working_.Markers().begin() + row);
    delete list_->takeItem(row);
    working_.SetModified(true);
}

void CDialogEditMarkerSet::StoreFields() {
    const std::string lat = centerLat_->NumberText().toStdString();
    const std::string lng = centerLng_->NumberText().toStdString();
    const std::string title = name_->text().toStdString();
    const int zoom = zoom_->value();
    if (lat == working_.centerLat && lng == working_.centerLng && title == working_.title &&
        zoom == working_.zoom)
        return;
    working_.SetModified(true);
    working_.centerLat = lat;
    working_.centerLng = lng;
    working_.title = title;
    working_.zoom = zoom;
}

// What was saved is what the user confirmed: the current set takes it at
// once, so neither OK nor Cancel afterwards can lose it.
void CDialogEditMarkerSet::Save() {
    StoreFields();
    std::string why;
    const SaveOutcome outcome = saveSet(working_, why);
    if (outcome == SaveOutcome::Failed)
        showError(tr("Failed to save marker set!\n%1").arg(Text(why)));
    if (outcome != SaveOutcome::Saved)
        return;
    MarkerSet saved = working_.CloneForEditing();
    current_.TakeOver(saved);
    current_.SetModified(false);
    working_.SetModified(false);
    handedOver_ = true;
}

void CDialogEditMarkerSet::Ok() {
    StoreFields();
    if (!working_.IsModified()) {
        if (handedOver_)
            accept();
        else
            reject();
        return;
    }
    current_.SetModified(true);
    current_.TakeOver(working_);
    accept();
}

} // namespace orbisk
