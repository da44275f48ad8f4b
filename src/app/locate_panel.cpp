#include "app/locate_panel.h"

#include "settings/ui/float_number_edit_box.h"
#include "settings/ui/safe_edit_box.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace orbisk {
namespace {

const char* const kModeTexts[] = {"Locate by phone", "Locate by zip code (postal code)",
                                  "Locate by street address", "Locate by latitude and longitude"};
const char* const kModeCaptions[] = {
    "Phone number:", "Zip code or postal code:", "Street address:", "Latitude/longitude:"};
const char* const kModeTips[] = {
    "Find a location by phone number", "Find a location by zip code or postal code",
    "Find a location by street address", "Find a location by latitude and longitude"};

// Phone fields take digits only, typed or pasted.
QLineEdit* DigitField(QWidget* parent, int length) {
    auto* field = new QLineEdit(parent);
    field->setMaxLength(length);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
    return field;
}

template <typename Field> Field* LimitedField(QWidget* parent, int length) {
    auto* field = new Field(parent);
    field->setMaxLength(length);
    return field;
}

} // namespace

LocatePanel::LocatePanel(QWidget* parent) : QGroupBox("Locate", parent) {
    for (int mode = 0; mode < 4; ++mode) {
        radios_[mode] = new QRadioButton(kModeTexts[mode], this);
        radios_[mode]->setGeometry(8, 16 + 17 * mode, 215, 17);
        radios_[mode]->setToolTip(kModeTips[mode]);
        connect(radios_[mode], &QRadioButton::clicked, this,
                [this, mode] { emit modeChosen(static_cast<LocateMode>(mode)); });
    }
    caption_ = Label("", 228, 14, 95);

    areaCode_ = DigitField(this, 3);
    exchange_ = DigitField(this, 3);
    lineNumber_ = DigitField(this, 4);
    modeWidgets_[0] = {Label("(", 228, 42, 8), areaCode_,  Label(")", 276, 42, 8), exchange_,
                       Label("-", 324, 42, 8), lineNumber_};
    areaCode_->setGeometry(237, 40, 36, 22);
    exchange_->setGeometry(285, 40, 36, 22);
    lineNumber_->setGeometry(333, 40, 44, 22);
    connect(areaCode_, &QLineEdit::textEdited, this,
            [this] { AutoAdvance(areaCode_, exchange_, 3); });
    connect(exchange_, &QLineEdit::textEdited, this,
            [this] { AutoAdvance(exchange_, lineNumber_, 4); });

    zip_ = LimitedField<CSafeEditBox>(this, 7);
    zip_->setGeometry(228, 40, 90, 22);
    modeWidgets_[1] = {zip_};

    streetNumber_ = LimitedField<CSafeEditBox>(this, 16);
    street_ = LimitedField<CSafeEditBox>(this, 64);
    city_ = LimitedField<CSafeEditBox>(this, 32);
    state_ = LimitedField<CSafeEditBox>(this, 2);
    country_ = new QComboBox(this);
    streetNumber_->setGeometry(253, 36, 40, 22);
    street_->setGeometry(335, 36, 150, 22);
    city_->setGeometry(253, 62, 100, 22);
    state_->setGeometry(435, 62, 28, 22);
    country_->setGeometry(369, 11, 110, 22);
    modeWidgets_[2] = {Label("No.:", 228, 38, 24),
                       streetNumber_,
                       Label("Street:", 297, 38, 36),
                       street_,
                       Label("City:", 228, 64, 24),
                       city_,
                       Label("State/Province:", 357, 64, 76),
                       state_,
                       Label("Country:", 323, 13, 44),
                       country_};
    connect(country_, &QComboBox::currentTextChanged, this, &LocatePanel::countryChanged);

    latitude_ = LimitedField<CFloatNumberEditBox>(this, 16);
    longitude_ = LimitedField<CFloatNumberEditBox>(this, 16);
    latitude_->setGeometry(285, 36, 110, 22);
    longitude_->setGeometry(285, 62, 110, 22);
    modeWidgets_[3] = {Label("Latitude:", 228, 38, 55), latitude_, Label("Longitude:", 228, 64, 55),
                       longitude_};
}

QLabel* LocatePanel::Label(const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, this);
    label->setGeometry(x, y, width, 18);
    return label;
}

void LocatePanel::AutoAdvance(QLineEdit* from, QLineEdit* to, int toLength) {
    if (from->text().size() != 3)
        return;
    to->setSelection(0, toLength);
    to->setFocus();
}

void LocatePanel::SetLocateModeUi(LocateMode mode, bool panelShown) {
    setVisible(panelShown);
    if (!panelShown)
        return;
    const int index = static_cast<int>(mode);
    if (index < 0 || index > 3)
        return;
    for (int m = 0; m < 4; ++m) {
        radios_[m]->setChecked(m == index);
        for (QWidget* widget : modeWidgets_[m])
            widget->setVisible(m == index);
    }
    caption_->setText(kModeCaptions[index]);
}

LocateMode LocatePanel::CheckedMode() const {
    for (int m = 0; m < 4; ++m)
        if (radios_[m]->isChecked())
            return static_cast<LocateMode>(m);
    return LocateMode::Phone;
}

void LocatePanel::ReadInputs(LocationInputs& inputs) const {
    inputs.npa = areaCode_->text().toStdString();
    inputs.nxx = exchange_->text().toStdString();
    inputs.xxxx = lineNumber_->text().toStdString();
    inputs.zip = zip_->text().toStdString();
    inputs.streetNumber = streetNumber_->text().toStdString();
    inputs.streetAddress = street_->text().toStdString();
    inputs.city = city_->text().toStdString();
    inputs.state = state_->text().toStdString();
    inputs.country = country_->currentText().toStdString();
    inputs.latitude = latitude_->text().toStdString();
    inputs.longitude = longitude_->text().toStdString();
}

void LocatePanel::ShowInputs(const LocationInputs& inputs) {
    const auto set = [](QLineEdit* field, const std::string& text) {
        field->setText(QString::fromStdString(text));
    };
    set(areaCode_, inputs.npa);
    set(exchange_, inputs.nxx);
    set(lineNumber_, inputs.xxxx);
    set(zip_, inputs.zip);
    set(streetNumber_, inputs.streetNumber);
    set(street_, inputs.streetAddress);
    set(city_, inputs.city);
    set(state_, inputs.state);
    set(latitude_, inputs.latitude);
    set(longitude_, inputs.longitude);
    const int index = country_->findText(QString::fromStdString(inputs.country));
    if (index >= 0)
        country_->setCurrentIndex(index);
}

void LocatePanel::SetCountries(const QStringList& countries) {
    country_->clear();
    country_->addItems(countries);
}

QString LocatePanel::Country() const {
    return country_->currentText();
}

} // namespace orbisk
