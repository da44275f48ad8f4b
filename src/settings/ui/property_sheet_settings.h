// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/online_settings.h"
#include "settings/settings_store.h"

#include <QDialog>
#include <QWidget>
#include <filesystem>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace orbisk {

// A page of the sheet: given its values before, read back on OK only if the
// user ever saw it, so an unopened page writes its old values back.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool WasShown() const { return shown_; }
    virtual void ReadControls() = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool shown_ = false;
};

// "Map": default zoom, pan/zoom control, map type.
class CPropertyMap : public SettingsPage {
    Q_OBJECT
public:
    CPropertyMap(int zoom, int control, int type, QWidget* parent = nullptr);
    void ReadControls() override;

    int zoom, control, type;
    QSlider* zoomSlider = nullptr;
    QComboBox* controlList = nullptr;
    QRadioButton* mapOnly = nullptr;
    QRadioButton* mapAndSatellite = nullptr;
};

// "Update": the update preference.
class CPropertyUpdate : public SettingsPage {
    Q_OBJECT
public:
    CPropertyUpdate(int preference, QWidget* parent = nullptr);
    void ReadControls() override;

    int preference;
    QRadioButton* buttons[3] = {};
};

// "Favorites": the largest number of favorites.
class CPropertyFavorites : public SettingsPage {
    Q_OBJECT
public:
    CPropertyFavorites(int maximum, QWidget* parent = nullptr);
    void ReadControls() override;

    int maximum;
    QSlider* maximumSlider = nullptr;
};

// "Online": whether orbisk-server asks OpenStreetMap's services, and which,
// kept in the server's own settings file, which the server reads again when
// it changes.
class CPropertyOnline : public SettingsPage {
    Q_OBJECT
public:
    explicit CPropertyOnline(std::filesystem::path file, QWidget* parent = nullptr);
    void ReadControls() override;
    // Writes the file when the page was shown and its choice changed; false
    // with the reason when an address is not http(s) or the file cannot be
    // written.
    bool Save(std::string& error);

    bool on = false;
    std::string nominatim, overpass;
    QCheckBox* useOnline = nullptr;
    QLineEdit* nominatimEdit = nullptr;
    QLineEdit* overpassEdit = nullptr;

private:
    std::filesystem::path file_;
    std::string text_; // the file as it was read
    bool wasOn_ = false;
    std::string wasNominatim_, wasOverpass_;
};

class CPropertyLanguage;

// "Options": the pages over the five settings, the server's online data and
// the window's language.
class CPropertySheetSettings : public QDialog {
    Q_OBJECT
public:
    explicit CPropertySheetSettings(
        const SettingsStore& settings, QWidget* parent = nullptr,
        std::filesystem::path onlineFile = OnlineSettingsFile(),
        std::filesystem::path storeFile = SettingsStore::DefaultStoreFile());
    // Reads the pages that were shown into `settings` (not saved).
    void Apply(SettingsStore& settings);

    QTabWidget* tabs = nullptr;
    CPropertyMap* mapPage = nullptr;
    CPropertyUpdate* updatePage = nullptr;
    CPropertyFavorites* favoritesPage = nullptr;
    CPropertyOnline* onlinePage = nullptr;
    CPropertyLanguage* languagePage = nullptr;

private:
    // Keeps a language chosen on its page; false with the reason otherwise.
    bool SaveLanguage(std::string& error);

    std::filesystem::path storeFile_;
};

// Runs the sheet; on OK stores the settings and returns true. The caller
// saves them, and can say so when that fails.
bool EditWithSheet(SettingsStore& settings, QWidget* parent);

} // namespace orbisk
