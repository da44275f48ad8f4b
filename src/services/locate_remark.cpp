// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/locate_remark.h"

#include "common/strict_number.h"
#include "common/text.h"

#include <cctype>

namespace orbisk {
namespace {

std::string Digits(size_t count) {
    return std::to_string(count) + (count == 1 ? " digit" : " digits");
}

// North American area codes and exchanges begin with 2 to 9.
std::string PhonePartRemark(const std::string& name, const std::string& part, size_t length) {
    if (part.size() < length)
        return "The " + name + " has " + Digits(part.size()) + "; it needs " +
               std::to_string(length);
    if (part[0] == '0' || part[0] == '1')
        return "No " + name + " begins with " + part.substr(0, 1) + " (" + part + ")";
    return "";
}

std::string PhoneRemark(const LocationInputs& in) {
    if (in.npa.empty() && in.nxx.empty() && in.xxxx.empty())
        return "No telephone number given";
    for (const std::string& remark :
         {PhonePartRemark("area code", in.npa, 3), PhonePartRemark("exchange", in.nxx, 3)})
        if (!remark.empty())
            return remark;
    if (in.xxxx.size() < 4)
        return "The line number has " + Digits(in.xxxx.size()) + "; it needs 4";
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
        return "No zip or postal code given";
    if (AllDigits(zip))
        return zip.size() == 5
                   ? ""
                   : "A zip code has 5 digits; " + zip + " has " + std::to_string(zip.size());
    if (!IsPostalCodeShape(zip))
        return zip + " is neither a zip code (5 digits) nor a postal code (A1A 1A1)";
    return "";
}

std::string StreetRemark(const LocationInputs& in) {
    if (Trimmed(in.city).empty() && Trimmed(in.state).empty())
        return "No city or state given";
    if (Trimmed(in.streetAddress).empty())
        return "No street given: the map will show the city";
    return "";
}

std::string CoordinateRemark(const std::string& name, const std::string& text, double limit) {
    const std::string value = Trimmed(text);
    if (value.empty())
        return "No " + std::string(1, static_cast<char>(std::tolower(name[0]))) + name.substr(1) +
               " given";
    if (!StrictNumber(value, -1e300, 1e300))
        return name + " " + value + " is not a number";
    if (!StrictNumber(value, -limit, limit)) {
        const std::string bound = std::to_string(static_cast<int>(limit));
        return name + " " + value + " is out of range (-" + bound + " to " + bound + ")";
    }
    return "";
}

std::string LatLngRemark(const LocationInputs& in) {
    const std::string latitude = CoordinateRemark("Latitude", in.latitude, 90);
    return latitude.empty() ? CoordinateRemark("Longitude", in.longitude, 180) : latitude;
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
