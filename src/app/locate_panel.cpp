// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/locate_panel.h"

#include "widgets/float_number_edit_box.h"
#include "widgets/safe_edit_box.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace orbisk {
namespace {

const char* const kModeTexts[] = {
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Locate by &phone"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Locate by &zip code (postal code)"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Locate by st&reet address"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Locate by la&titude and longitude")};
const char* const kModeCaptions[] = {
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Phone number:"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Zip code or postal code:"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Street address:"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Latitude/longitude:")};
const char* const kModeTips[] = {
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Find a location by phone number"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Find a location by zip code or postal code"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Find a location by street address"),
    QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Find a location by latitude and longitude")};

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

// Labels are as wide as their text in the user's font; fields keep their
// widths and follow the labels, so nothing is cut at any font size.
LocatePanel::LocatePanel(QWidget* parent) : QGroupBox(tr("Locate"), parent) {
    setObjectName("locatePanel");
    int radioWidth = 215;
    for (int mode = 0; mode < 4; ++mode) {
        radios_[mode] = new QRadioButton(tr(kModeTexts[mode]), this);
        radioWidth = std::max(radioWidth, radios_[mode]->sizeHint().width());
        radios_[mode]->setToolTip(tr(kModeTips[mode]));
        connect(radios_[mode], &QRadioButton::clicked, this,
                [this, mode] { emit modeChosen(static_cast<LocateMode>(mode)); });
    }
    for (int mode = 0; mode < 4; ++mode)
        radios_[mode]->setGeometry(8, 16 + 17 * mode, radioWidth, 17);
    const int x = 8 + radioWidth + 5;
    int captionWidth = 0;
    for (const char* caption : kModeCaptions)
        captionWidth = std::max(captionWidth, TextWidth(tr(caption)));
    caption_ = Label("", x, 14, captionWidth);

    areaCode_ = DigitField(this, 3);
    exchange_ = DigitField(this, 3);
    lineNumber_ = DigitField(this, 4);
    modeWidgets_[0] = {Label("(", x, 42, 8),      areaCode_,  Label(")", x + 48, 42, 8), exchange_,
                       Label("-", x + 96, 42, 8), lineNumber_};
    areaCode_->setGeometry(x + 9, 40, 36, 22);
    exchange_->setGeometry(x + 57, 40, 36, 22);
    lineNumber_->setGeometry(x + 105, 40, 44, 22);
    connect(areaCode_, &QLineEdit::textEdited, this,
            [this] { AutoAdvance(areaCode_, exchange_, 3); });
    connect(exchange_, &QLineEdit::textEdited, this,
            [this] { AutoAdvance(exchange_, lineNumber_, 4); });

    zip_ = LimitedField<CSafeEditBox>(this, 7);
    zip_->setGeometry(x, 40, 90, 22);
    modeWidgets_[1] = {zip_};
    CreateStreetFields(x);

    latitude_ = LimitedField<CFloatNumberEditBox>(this, 16);
    longitude_ = LimitedField<CFloatNumberEditBox>(this, 16);
    const int coordinateX =
        x + std::max(TextWidth(tr("Latitude:")), TextWidth(tr("Longitude:"))) + 2;
    latitude_->setGeometry(coordinateX, 36, 110, 22);
    longitude_->setGeometry(coordinateX, 62, 110, 22);
    modeWidgets_[3] = {Label(tr("Latitude:"), x, 38, coordinateX - x, latitude_), latitude_,
                       Label(tr("Longitude:"), x, 64, coordinateX - x, longitude_), longitude_};
    NameFields();
    for (QWidget* child : findChildren<QWidget*>())
        neededWidth_ = std::max(neededWidth_, child->geometry().right() + 9);
    remark_ = new QLabel(this);
    remark_->setObjectName("locateRemark");
    ColourRemark();
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textEdited, this, [this] { ShowRemark(""); });
    connect(country_, &QComboBox::activated, this, [this] { ShowRemark(""); });
}

void LocatePanel::ShowRemark(const QString& remark) {
    remarkText_ = remark;
    PlaceRemark();
}

void LocatePanel::KeepClearOnTheRight(int pixels) {
    clearOnTheRight_ = pixels;
    PlaceRemark();
}

// The remark stands out in the palette's own terms: dark orange on a light
// window, light orange on a dark one, as a high-contrast theme has it.
void LocatePanel::ColourRemark() {
    QPalette palette = remark_->palette();
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    palette.setColor(QPalette::WindowText,
                     dark ? QColor(0xff, 0xb8, 0x6c) : QColor(0xa0, 0x40, 0x00));
    remark_->setPalette(palette);
}

void LocatePanel::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && remark_)
        ColourRemark();
}

void LocatePanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    PlaceRemark();
}

// On the second row, right of the mode's fields, clear of Go at the right;
// a remark too long for the room is elided and whole in its tooltip.
void LocatePanel::PlaceRemark() {
    int left = caption_->x();
    for (QWidget* widget : modeWidgets_[mode_])
        if (widget->geometry().bottom() > 60)
            left = std::max(left, widget->geometry().right() + 12);
    const int room = std::max(0, width() - clearOnTheRight_ - left);
    remark_->setGeometry(left, 64, room, 18);
    remark_->setText(remark_->fontMetrics().elidedText(remarkText_, Qt::ElideRight, room));
    remark_->setToolTip(remarkText_);
    remark_->setVisible(!remarkText_.isEmpty());
}

// Number and city share a column, as street and state follow them.
void LocatePanel::CreateStreetFields(int x) {
    streetNumber_ = LimitedField<CSafeEditBox>(this, 16);
    street_ = LimitedField<CSafeEditBox>(this, 64);
    city_ = LimitedField<CSafeEditBox>(this, 32);
    state_ = LimitedField<CSafeEditBox>(this, 2);
    country_ = new QComboBox(this);
    const int fieldX = x + std::max(TextWidth(tr("No.:")), TextWidth(tr("City:"))) + 1;
    streetNumber_->setGeometry(fieldX, 36, 40, 22);
    city_->setGeometry(fieldX, 62, 100, 22);
    const QString street = tr("Street:");
    const QString state = tr("State/Province:");
    const QString country = tr("Country:");
    QLabel* streetLabel = Label(street, fieldX + 44, 38, TextWidth(street), street_);
    street_->setGeometry(streetLabel->geometry().right() + 3, 36, 150, 22);
    QLabel* stateLabel = Label(state, fieldX + 104, 64, TextWidth(state), state_);
    state_->setGeometry(stateLabel->geometry().right() + 3, 62, 28, 22);
    QLabel* countryLabel =
        Label(country, x + TextWidth(tr(kModeCaptions[2])) + 6, 13, TextWidth(country), country_);
    country_->setGeometry(countryLabel->geometry().right() + 3, 11, 110, 22);
    modeWidgets_[2] = {Label(tr("No.:"), x, 38, fieldX - x, streetNumber_),
                       streetNumber_,
                       streetLabel,
                       street_,
                       Label(tr("City:"), x, 64, fieldX - x, city_),
                       city_,
                       stateLabel,
                       state_,
                       countryLabel,
                       country_};
    connect(country_, &QComboBox::currentIndexChanged, this, &LocatePanel::countryChanged);
}

// Every field says what it holds, and the keyboard meets the street fields
// in reading order: country first.
void LocatePanel::NameFields() {
    const std::pair<QLineEdit*, QString> fields[] = {
        {areaCode_, tr("Area code")},
        {exchange_, tr("Exchange", "of a telephone number: the 3 digits after the area code")},
        {lineNumber_, tr("Line number")},
        {zip_, tr("Zip code or postal code")},
        {streetNumber_, tr("Street number")},
        {street_, tr("Street")},
        {city_, tr("City")},
        {state_, tr("State or province")},
        {latitude_, tr("Latitude")},
        {longitude_, tr("Longitude")}};
    for (const auto& [field, name] : fields)
        field->setAccessibleName(name);
    country_->setAccessibleName(tr("Country"));
    for (auto [from, to] : {std::pair<QWidget*, QWidget*>{zip_, country_},
                            {country_, streetNumber_},
                            {streetNumber_, street_},
                            {street_, city_},
                            {city_, state_},
                            {state_, latitude_}})
        setTabOrder(from, to);
}

int LocatePanel::TextWidth(const QString& text) const {
    return fontMetrics().horizontalAdvance(text) + 2;
}

// A label names its field to the keyboard (Alt and a letter) and to screen readers.
QLabel* LocatePanel::Label(const QString& text, int x, int y, int width, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setGeometry(x, y, width, 18);
    label->setBuddy(buddy);
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
    caption_->setText(tr(kModeCaptions[index]));
    QWidget* const firstFields[] = {areaCode_, zip_, streetNumber_, latitude_};
    caption_->setBuddy(firstFields[index]);
    mode_ = index;
    ShowRemark("");
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
    inputs.country = Country().toStdString();
    inputs.latitude = latitude_->NumberText().toStdString();
    inputs.longitude = longitude_->NumberText().toStdString();
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
    latitude_->SetNumberText(QString::fromStdString(inputs.latitude));
    longitude_->SetNumberText(QString::fromStdString(inputs.longitude));
    const int index = country_->findData(QString::fromStdString(inputs.country));
    if (index >= 0)
        country_->setCurrentIndex(index);
}

void LocatePanel::SetCountries(const QStringList& countries) {
    country_->clear();
    for (const QString& country : countries)
        country_->addItem(tr(country.toUtf8().constData()), country);
}

QString LocatePanel::Country() const {
    return country_->currentData().toString();
}

} // namespace orbisk
