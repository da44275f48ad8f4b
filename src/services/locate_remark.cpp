// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/locate_remark.h"

#include "common/strict_number.h"
#include "common/text.h"
#include "common/user_text.h"

#include <cctype>

namespace orbisk {
namespace {

// What is said of a short area code or exchange, and of one beginning with
// 0 or 1: North American ones begin with 2 to 9.
struct PhonePartTexts {
    const char* tooShort;
    const char* badStart;
};

std::string PhonePartRemark(const PhonePartTexts& texts, const std::string& part) {
    if (part.size() < 3)
        return Tr("LocateRemark", texts.tooShort, nullptr, static_cast<int>(part.size()));
    if (part[0] == '0' || part[0] == '1')
        return Arg(Tr("LocateRemark", texts.badStart), {part.substr(0, 1), part});
    return "";
}

std::string PhoneRemark(const LocationInputs& in) {
    if (in.npa.empty() && in.nxx.empty() && in.xxxx.empty())
        return Tr("LocateRemark", "No telephone number given");
    static constexpr PhonePartTexts kAreaCode{
        ORBISK_N_NOOP("LocateRemark", "The area code has %n digit(s); it needs 3"),
        ORBISK_NOOP("LocateRemark", "No area code begins with %1 (%2)")};
    static constexpr PhonePartTexts kExchange{
        ORBISK_N_NOOP("LocateRemark", "The exchange has %n digit(s); it needs 3"),
        ORBISK_NOOP("LocateRemark", "No exchange begins with %1 (%2)")};
    for (const std::string& remark :
         {PhonePartRemark(kAreaCode, in.npa), PhonePartRemark(kExchange, in.nxx)})
        if (!remark.empty())
            return remark;
    // A cast inside the call would hide the text from lupdate.
    const int lineDigits = static_cast<int>(in.xxxx.size());
    if (lineDigits < 4)
        return Tr("LocateRemark", "The line number has %n digit(s); it needs 4", nullptr,
                  lineDigits);
    return "";
}

bool AllDigits(const std::string& text) {
    for (unsigned char c : text)
        if (!std::isdigit(c))
            return false;
    return true;
}

// A Canadian postal code: letter, digit, letter, then digit, letter, digit.
bool IsPostalCodeShape(const std::string& text) {
    std::string code;
    for (unsigned char c : text)
        if (c != ' ')
            code += static_cast<char>(std::toupper(c));
    if (code.size() != 6)
        return false;
    for (size_t i = 0; i < 6; ++i)
        if (i % 2 == 0 ? !std::isalpha(static_cast<unsigned char>(code[i]))
                       : !std::isdigit(static_cast<unsigned char>(code[i])))
            return false;
    return true;
}

std::string ZipRemark(const LocationInputs& in) {
    const std::string zip = Trimmed(in.zip);
    if (zip.empty())
        return Tr("LocateRemark", "No zip or postal code given");
    if (AllDigits(zip))
        return zip.size() == 5 ? ""
                               : Arg(Tr("LocateRemark", "A zip code has 5 digits; %1 has %2"),
                                     {zip, std::to_string(zip.size())});
    if (!IsPostalCodeShape(zip))
        return Arg(
            Tr("LocateRemark", "%1 is neither a zip code (5 digits) nor a postal code (A1A 1A1)"),
            {zip});
    return "";
}

std::string StreetRemark(const LocationInputs& in) {
    if (Trimmed(in.city).empty() && Trimmed(in.state).empty())
        return Tr("LocateRemark", "No city or state given");
    if (Trimmed(in.streetAddress).empty())
        return Tr("LocateRemark", "No street given: the map will show the city");
    return "";
}

// The remarks on one coordinate: none given, not a number, out of range.
struct CoordinateTexts {
    const char* missing;
    const char* notNumber;
    const char* outOfRange;
};

std::string CoordinateRemark(const CoordinateTexts& texts, const std::string& text, double limit) {
    const std::string value = Trimmed(text);
    if (value.empty())
        return Tr("LocateRemark", texts.missing);
    if (!StrictNumber(value, -1e300, 1e300))
        return Arg(Tr("LocateRemark", texts.notNumber), {LocaleNumber(value)});
    if (!StrictNumber(value, -limit, limit))
        return Arg(Tr("LocateRemark", texts.outOfRange), {LocaleNumber(value)});
    return "";
}

std::string LatLngRemark(const LocationInputs& in) {
    static constexpr CoordinateTexts kLatitude{
        ORBISK_NOOP("LocateRemark", "No latitude given"),
        ORBISK_NOOP("LocateRemark", "Latitude %1 is not a number"),
        ORBISK_NOOP("LocateRemark", "Latitude %1 is out of range (-90 to 90)")};
    static constexpr CoordinateTexts kLongitude{
        ORBISK_NOOP("LocateRemark", "No longitude given"),
        ORBISK_NOOP("LocateRemark", "Longitude %1 is not a number"),
        ORBISK_NOOP("LocateRemark", "Longitude %1 is out of range (-180 to 180)")};
    const std::string latitude = CoordinateRemark(kLatitude, in.latitude, 90);
    return latitude.empty() ? CoordinateRemark(kLongitude, in.longitude, 180) : latitude;
}

} // namespace

std::string LocateRemark(LocateMode mode, const LocationInputs& inputs) {
    switch (mode) {
    case LocateMode::Phone: return PhoneRemark(inputs);
    case LocateMode::Zip: return ZipRemark(inputs);
    case LocateMode::Street: return StreetRemark(inputs);
    case LocateMode::LatLng: return LatLngRemark(inputs);
    }
    return "";
}

} // namespace orbisk
