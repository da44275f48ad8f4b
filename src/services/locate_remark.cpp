// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/locate_remark.h"

#include "common/strict_number.h"
#include "common/text.h"
#include "common/user_text.h"

#include <cctype>

namespace orbisk {
namespace {

// North American area codes and exchanges begin with 2 to 9.
std::string PhoneRemark(const LocationInputs& in) {
    if (in.npa.empty() && in.nxx.empty() && in.xxxx.empty())
        return Tr("LocateRemark", "No telephone number given");
    const auto size = [](const std::string& part) { return static_cast<int>(part.size()); };
    if (in.npa.size() < 3)
        return Tr("LocateRemark", "The area code has %n digit(s); it needs 3", nullptr,
                  size(in.npa));
    if (in.npa[0] == '0' || in.npa[0] == '1')
        return Arg(Tr("LocateRemark", "No area code begins with %1 (%2)"),
                   {in.npa.substr(0, 1), in.npa});
    if (in.nxx.size() < 3)
        return Tr("LocateRemark", "The exchange has %n digit(s); it needs 3", nullptr,
                  size(in.nxx));
    if (in.nxx[0] == '0' || in.nxx[0] == '1')
        return Arg(Tr("LocateRemark", "No exchange begins with %1 (%2)"),
                   {in.nxx.substr(0, 1), in.nxx});
    if (in.xxxx.size() < 4)
        return Tr("LocateRemark", "The line number has %n digit(s); it needs 4", nullptr,
                  size(in.xxxx));
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
