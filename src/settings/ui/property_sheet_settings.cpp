// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/property_sheet_settings.h"

#include "common/atomic_file.h"
#include "settings/language_choice.h"
#include "settings/online_settings.h"
#include "settings/settings_store.h"
#include "settings/ui/property_language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orbisk {
namespace {

// A horizontal trackbar with its end labels and, after them, the value it
// holds; a value outside shows at the nearer end.
QSlider* Trackbar(int minimum, int maximum, int value, QWidget* parent, QHBoxLayout* row) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setTickPosition(QSlider::TicksBelow);
    auto* shown = new QLabel(QString::number(slider->value()), parent);
    shown->setObjectName("trackbarValue");
    shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance(QString::number(maximum)) + 8);
    shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(slider, &QSlider::valueChanged, shown,
                     [shown](int now) { shown->setText(QString::number(now)); });
    row->addWidget(new QLabel(QString::number(minimum), parent));
    row->addWidget(slider);
    row->addWidget(new QLabel(QString::number(maximum), parent));
    row->addWidget(shown);
    return slider;
}

} // namespace

void SettingsPage::showEvent(QShowEvent* event) {
    shown_ = true;
    QWidget::showEvent(event);
}

CPropertyMap::CPropertyMap(int zoomValue, int controlValue, int typeValue, QWidget* parent)
    : SettingsPage(parent), zoom(zoomValue), control(controlValue), type(typeValue) {
    auto* panZoom = new QGroupBox(tr("Pan/Zoom"), this);
    auto* zoomRow = new QHBoxLayout;
    zoomSlider = Trackbar(0, 16, zoom, this, zoomRow);
    controlList = new QComboBox(this);
    controlList->addItems({tr("Large map control"), tr("Small map control"), tr("No map control")});
    controlList->setCurrentIndex(control >= 0 && control <= 2 ? control : -1);
    auto* panZoomForm = new QFormLayout(panZoom);
    panZoomForm->addRow(tr("Default Zoom Level:"), zoomRow);
    panZoomForm->addRow(tr("Pan/Zoom Control:"), controlList);
    auto* mapType = new QGroupBox(tr("Map type"), this);
    mapOnly = new QRadioButton(tr("Map only"), mapType);
    mapAndSatellite = new QRadioButton(tr("Map and satellite"), mapType);
    (type == 0 ? mapOnly : mapAndSatellite)->setChecked(true);
    auto* typeLayout = new QVBoxLayout(mapType);
    typeLayout->addWidget(mapOnly);
    typeLayout->addWidget(mapAndSatellite);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panZoom);
    layout->addWidget(mapType);
    layout->addStretch();
}

void CPropertyMap::ReadControls() {
    zoom = zoomSlider->value();
    type = mapAndSatellite->isChecked() ? 1 : 0;
    control = controlList->currentIndex();
}

CPropertyUpdate::CPropertyUpdate(int preferenceValue, QWidget* parent)
    : SettingsPage(parent), preference(preferenceValue) {
    auto* group = new QGroupBox(tr("Update Preference"), this);
    auto* groupLayout = new QVBoxLayout(group);
    const QString texts[] = {tr("Apply update without interrupting me"),
                             tr("Notify me when updates are available "),
                             tr("Disable live update")};
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(texts[i], group);
        groupLayout->addWidget(buttons[i]);
    }
    buttons[preference == 0 ? 0 : preference == 1 ? 1 : 2]->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CPropertyUpdate::ReadControls() {
    preference = buttons[0]->isChecked() ? 0 : buttons[1]->isChecked() ? 1 : 2;
}

CPropertyFavorites::CPropertyFavorites(int maximumValue, QWidget* parent)
    : SettingsPage(parent), maximum(maximumValue) {
    auto* group = new QGroupBox(tr("Favorite setting"), this);
    auto* row = new QHBoxLayout;
    maximumSlider = Trackbar(4, 25, maximum, this, row);
    auto* form = new QFormLayout(group);
    form->addRow(tr("Maximum favorite items:"), row);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CPropertyFavorites::ReadControls() {
    maximum = maximumSlider->value();
}

CPropertyOnline::CPropertyOnline(std::filesystem::path file, QWidget* parent)
    : SettingsPage(parent), file_(std::move(file)) {
    ReadWholeFile(file_, 64 * 1024, text_);
    std::vector<std::string> problems;
    wasOn_ = on = ParseOnlineSettings(text_, problems).Any();
    // The addresses the file names even while off, else the public ones.
    const OnlineSettings named = ParseOnlineSettings(text_ + "\nonline = yes\n", problems);
    wasNominatim_ = nominatim = named.nominatim;
    wasOverpass_ = overpass = named.overpass;
    auto* group = new QGroupBox(tr("OpenStreetMap"), this);
    useOnline = new QCheckBox(tr("Find street addresses and local businesses online"), group);
    useOnline->setChecked(on);
    nominatimEdit = new QLineEdit(QString::fromStdString(nominatim), group);
    overpassEdit = new QLineEdit(QString::fromStdString(overpass), group);
    // Wide enough for the public addresses, shown from their start.
    for (QLineEdit* edit : {nominatimEdit, overpassEdit}) {
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(kPublicOverpass) + 24);
        edit->setCursorPosition(0);
    }
    auto* note = new QLabel(tr("When this is on, the addresses and keywords you look up are sent "
                               "to these services. When it is off, or they cannot be reached, "
                               "Orbisk answers from its offline data."),
                            group);
    note->setWordWrap(true);
    auto* form = new QFormLayout(group);
    form->addRow(useOnline);
    form->addRow(tr("Geocoder (Nominatim):"), nominatimEdit);
    form->addRow(tr("Local search (Overpass):"), overpassEdit);
    form->addRow(note);
    const auto enable = [this](bool checked) {
        nominatimEdit->setEnabled(checked);
        overpassEdit->setEnabled(checked);
    };
    enable(on);
    connect(useOnline, &QCheckBox::toggled, this, enable);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CPropertyOnline::ReadControls() {
    on = useOnline->isChecked();
    nominatim = nominatimEdit->text().trimmed().toStdString();
    overpass = overpassEdit->text().trimmed().toStdString();
}

bool CPropertyOnline::Save(std::string& error) {
    if (!WasShown())
        return true;
    ReadControls();
    if (on == wasOn_ && nominatim == wasNominatim_ && overpass == wasOverpass_)
        return true;
    for (const std::string* address : {&nominatim, &overpass})
        if (on && !IsUpstreamAddress(*address)) {
            error = tr("\"%1\" is not an http or https address.")
                        .arg(QString::fromStdString(*address))
                        .toStdString();
            return false;
        }
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    if (file_.empty() ||
        !WriteFileAtomically(file_, FormatOnlineSettings(on, nominatim, overpass, text_), &error)) {
        error = tr("The online setting could not be saved in %1: %2")
                    .arg(QString::fromStdString(file_.string()), QString::fromStdString(error))
                    .toStdString();
        return false;
    }
    return true;
}

CPropertySheetSettings::CPropertySheetSettings(const SettingsStore& settings, QWidget* parent,
                                               std::filesystem::path onlineFile,
                                               std::filesystem::path storeFile)
    : QDialog(parent), storeFile_(std::move(storeFile)) {
    setWindowTitle(tr("Options"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    tabs = new QTabWidget(this);
    mapPage = new CPropertyMap(settings.Get(SettingsStore::DefaultZoom),
                               settings.Get(SettingsStore::MapControl),
                               settings.Get(SettingsStore::MapTypeIndex));
    updatePage = new CPropertyUpdate(settings.Get(SettingsStore::UpdatePreferenceIndex));
    favoritesPage = new CPropertyFavorites(settings.Get(SettingsStore::MaxFavorites));
    tabs->addTab(mapPage, tr("Map"));
    tabs->addTab(updatePage, tr("Update"));
    tabs->addTab(favoritesPage, tr("Favorites"));
    onlinePage = new CPropertyOnline(std::move(onlineFile));
    tabs->addTab(onlinePage, tr("Online"));
    languagePage = new CPropertyLanguage(LoadLanguageChoice(storeFile_));
    tabs->addTab(languagePage, tr("Language"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The server's file is written first: when it cannot be, the sheet
    // stays open with the reason, and nothing else has changed.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        std::string error;
        if (onlinePage->Save(error) && SaveLanguage(error))
            return accept();
        QMessageBox::warning(this, tr("Options"), QString::fromStdString(error));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

bool CPropertySheetSettings::SaveLanguage(std::string& error) {
    if (!languagePage->WasShown())
        return true;
    const std::string before = languagePage->choice;
    languagePage->ReadControls();
    if (languagePage->choice == before || SaveLanguageChoice(storeFile_, languagePage->choice))
        return true;
    error = tr("The language could not be saved in %1.")
                .arg(QString::fromStdString(storeFile_.string()))
                .toStdString();
    return false;
}

void CPropertySheetSettings::Apply(SettingsStore& settings) {
    for (SettingsPage* page :
         {static_cast<SettingsPage*>(mapPage), static_cast<SettingsPage*>(updatePage),
          static_cast<SettingsPage*>(favoritesPage)})
        if (page->WasShown())
            page->ReadControls();
    settings.Set(SettingsStore::DefaultZoom, mapPage->zoom);
    settings.Set(SettingsStore::MapControl, mapPage->control);
    settings.Set(SettingsStore::MapTypeIndex, mapPage->type);
    settings.Set(SettingsStore::UpdatePreferenceIndex, updatePage->preference);
    settings.Set(SettingsStore::MaxFavorites, favoritesPage->maximum);
}

bool EditWithSheet(SettingsStore& settings, QWidget* parent) {
    CPropertySheetSettings sheet(settings, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    sheet.Apply(settings);
    return true;
}

} // namespace orbisk
