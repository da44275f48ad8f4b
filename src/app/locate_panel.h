// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/location_inputs.h"
#include "widgets/float_number_edit_box.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orbisk {

// The "Locate" group: four modes, each with its own fields, and the country
// list. The window places the group; the group places what it holds.
class LocatePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit LocatePanel(QWidget* parent = nullptr);

    // Checks the mode's radio button and shows its fields only. A hidden
    // panel hides everything.
    void SetLocateModeUi(LocateMode mode, bool panelShown);
    // The first checked radio button; none gives Phone.
    LocateMode CheckedMode() const;
    // The eleven location texts from the fields (the keyword is not here).
    void ReadInputs(LocationInputs& inputs) const;
    void ShowInputs(const LocationInputs& inputs);
    // The countries by their English names, which is what the services are
    // sent; the list shows them in the user's language.
    void SetCountries(const QStringList& countries);
    QString Country() const;
    // A line beside the fields on what is plainly wrong with the typed place;
    // "" hides it. Editing any field or choosing a mode clears it.
    void ShowRemark(const QString& remark);
    // The room at the right that Go covers, which the remark keeps clear of.
    void KeepClearOnTheRight(int pixels);
    // The width the panel needs to show every mode's labels and fields whole.
    int NeededWidth() const { return neededWidth_; }

    QRadioButton* radio(LocateMode mode) const { return radios_[static_cast<int>(mode)]; }
    QLineEdit* areaCode() const { return areaCode_; }
    QLineEdit* exchange() const { return exchange_; }
    QLineEdit* lineNumber() const { return lineNumber_; }
    QLineEdit* zip() const { return zip_; }
    CFloatNumberEditBox* latitude() const { return latitude_; }
    CFloatNumberEditBox* longitude() const { return longitude_; }
    QLineEdit* streetNumber() const { return streetNumber_; }
    QLineEdit* street() const { return street_; }
    QLineEdit* city() const { return city_; }
    QLineEdit* state() const { return state_; }
    QComboBox* country() const { return country_; }
    QLabel* modeCaption() const { return caption_; }
    QLabel* remark() const { return remark_; }

signals:
    void modeChosen(LocateMode mode);
    void countryChanged();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceRemark();
    void ColourRemark();
    void AutoAdvance(QLineEdit* from, QLineEdit* to, int toLength);
    QLabel* Label(const QString& text, int x, int y, int width, QWidget* buddy = nullptr);
    void CreateStreetFields(int x);
    void NameFields();
    int TextWidth(const QString& text) const;

    QRadioButton* radios_[4] = {};
    QLabel* caption_ = nullptr;
    QLabel* remark_ = nullptr;
    QString remarkText_;
    int clearOnTheRight_ = 50;
    int mode_ = 0;
    QLineEdit* areaCode_ = nullptr;
    QLineEdit* exchange_ = nullptr;
    QLineEdit* lineNumber_ = nullptr;
    QLineEdit* zip_ = nullptr;
    QLineEdit* streetNumber_ = nullptr;
    QLineEdit* street_ = nullptr;
    QLineEdit* city_ = nullptr;
    QLineEdit* state_ = nullptr;
    QComboBox* country_ = nullptr;
    CFloatNumberEditBox* latitude_ = nullptr;
    CFloatNumberEditBox* longitude_ = nullptr;
    QList<QWidget*> modeWidgets_[4];
    int neededWidth_ = 0;
};

} // namespace orbisk
