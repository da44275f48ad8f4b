// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QWidget>

class QComboBox;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace orbisk {

class SettingsStore;

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

// "Options": the three pages over the five settings.
class CPropertySheetSettings : public QDialog {
    Q_OBJECT
public:
    explicit CPropertySheetSettings(const SettingsStore& settings, QWidget* parent = nullptr);
    // Reads the pages that were shown into `settings` (not saved).
    void Apply(SettingsStore& settings);

    QTabWidget* tabs = nullptr;
    CPropertyMap* mapPage = nullptr;
    CPropertyUpdate* updatePage = nullptr;
    CPropertyFavorites* favoritesPage = nullptr;
};

// Runs the sheet; on OK stores the settings and returns true. The caller
// saves them, and can say so when that fails.
bool EditWithSheet(SettingsStore& settings, QWidget* parent);

} // namespace orbisk
