// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/geocoders.h"

#include "common/number_format.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "services/service_call_error.h"

#include <algorithm>
#include <cctype>

namespace orbisk {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Sends, merges and reads coordinates as numbers, as the zip and postal code
// services give them: a zero coordinate is no coordinate.
bool ResolveNumericCoordinates(ServiceClient& client, std::string& latitude,
                               std::string& longitude) {
    const HttpAnswer answer = client.SendRequest();
    if (!answer)
        return false;
    client.MergeResults(*answer);
    // Anything but a finite coordinate in range is no answer, never 0.
    const auto x = StrictLongitude(client.Slot(Longitude));
    const auto y = StrictLatitude(client.Slot(Latitude));
    if (!x || !y || *x == 0.0 || *y == 0.0)
        return false;
    longitude = FormatFixed(*x, 6);
    latitude = FormatFixed(*y, 6);
    return true;
}

// A failure inside one attempt ends that attempt only.
template <typename Attempt> bool Guarded(Attempt attempt) {
    try {
        return attempt();
    } catch (const ServiceCallError&) {
        return false;
    }
}

void CopyAddress(const ServiceClient& from, ServiceClient& to, const std::string& street) {
    to.SetSlot(StreetNumber, from.Slot(StreetNumber));
    to.SetSlot(StreetAddress, street);
    to.SetSlot(City, from.Slot(City));
    to.SetSlot(State, from.Slot(State));
}

} // namespace

bool IsUsZipCode(const std::string& text, ServiceClient& client) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), IsDigit);
    if (digits.size() != 5)
        return false;
    client.SetSlot(Zip, digits);
    return true;
}

bool IsCanadianPostalCode(const std::string& text, ServiceClient& client) {
    std::string code;
    for (char c : text)
        if (IsDigit(c) || IsLetter(c))
            code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (code.size() != 6)
        return false;
    for (size_t i = 0; i < 6; ++i)
        if (i % 2 == 0 ? !IsLetter(code[i]) : !IsDigit(code[i]))
            return false;
    client.SetSlot(Zip, code);
    return true;
}

std::string StripStreetSuffix(const std::string& street) {
    if (street.size() < 3)
        return street;
    const std::string suffix = Upper(street.substr(street.size() - 3));
    for (const char* known : {" CR", " CT", " DR", " ST", " RD"})
        if (suffix == known)
            return street.substr(0, street.size() - 3);
    return street;
}

bool IsCanadianProvince(const std::string& state) {
    const std::string code = Upper(Trimmed(state));
    // NL is Newfoundland and Labrador's code since 2002; services may give either.
    for (const char* province :
         {"AB", "BC", "MB", "NB", "NF", "NL", "NT", "NS", "NU", "ON", "PE", "QC", "SK", "YT"})
        if (code == province)
            return true;
    return false;
}

ExchangeGeocoder::ExchangeGeocoder(ServiceContext context, InfoLines* infoLines)
    : ServiceClient(1, 2, std::move(context), infoLines) {}

bool ExchangeGeocoder::Resolve(std::string& latitude, std::string& longitude) {
    latitude.clear();
    longitude.clear();
    const HttpAnswer answer = SendRequest();
    if (!answer)
        return false;
    MergeResults(*answer);
    if (!Slot(Longitude).empty())
        SetSlot(Longitude, "-" + Slot(Longitude));
    if (!Slot(City).empty() && !Slot(State).empty() && Info() && Info()->size() >= 3) {
        if ((*Info())[2].empty())
            (*Info())[2] = Slot(City) + ", " + Slot(State);
        if ((*Info())[1].empty())
            (*Info())[1] = "Unknown number";
    }
    latitude = Slot(Latitude);
    longitude = Slot(Longitude);
    if (latitude.empty() || longitude.empty())
        return false;
    if (IsCanadianProvince(Slot(State)))
        SetIsCanada(true);
    return true;
}

AddressGeocoder::AddressGeocoder(ServiceContext context, InfoLines* infoLines)
    : ServiceClient(2, 3, std::move(context), infoLines) {}

bool AddressGeocoder::Resolve(std::string& latitude, std::string& longitude) {
    latitude.clear();
    longitude.clear();
    if (Slot(State).empty() && Slot(City).empty())
        return false;
    const HttpAnswer answer = SendRequest();
    if (!answer)
        return false;
    MergeResults(*answer);
    latitude = Slot(Latitude);
    longitude = Slot(Longitude);
    return !latitude.empty() && !longitude.empty();
}

PostalCodeGeocoder::PostalCodeGeocoder(ServiceContext context, InfoLines* infoLines)
    : ServiceClient(3, 5, std::move(context), infoLines) {}

bool PostalCodeGeocoder::Resolve(std::string& latitude, std::string& longitude) {
    latitude.clear();
    longitude.clear();
    const bool noPlace = Slot(State).empty() && Slot(City).empty();
    if (!Slot(Zip).empty() && noPlace) {
        SetSearchType(4);
        if (Info())
            *Info() = {"", "Postal Code: " + Slot(Zip)};
    } else if (noPlace) {
        return false;
    } else {
        SetSearchType(5);
    }
    return ResolveNumericCoordinates(*this, latitude, longitude);
}

ZipGeocoder::ZipGeocoder(ServiceContext context, InfoLines* infoLines)
    : ServiceClient(4, 6, std::move(context), infoLines) {
    SetSlot(Country, "US");
}

void ZipGeocoder::SetCanada() {
    SetIsCanada(true);
    SetSlot(Country, "CA");
}

bool ZipGeocoder::Resolve(std::string& latitude, std::string& longitude) {
    latitude.clear();
    longitude.clear();
    const bool byZip = !Slot(Zip).empty();
    if (byZip) {
        SetSearchType(6);
        if (Info())
            *Info() = {"", "Zip Code: " + Slot(Zip)};
    } else {
        SetSearchType(7);
        if (Slot(State).empty() && Slot(City).empty())
            return false;
    }
    if (!ResolveNumericCoordinates(*this, latitude, longitude))
        return false;
    if (byZip && Info())
        Info()->push_back(Slot(City) + (Slot(State).empty() ? "" : ", " + Slot(State)));
    return true;
}

PrimaryGeocoder::PrimaryGeocoder(ServiceContext context, InfoLines* infoLines)
    : ServiceClient(0, 0, std::move(context), infoLines) {}

void PrimaryGeocoder::WriteInfoLines() {
    if (!Info())
        return;
    std::string phone = Slot(Phone).empty() ? "" : "Phone: " + Slot(Phone);
    std::string name = Slot(Name1) + (Slot(Name1).empty() ? "" : " ") + Slot(Name2);
    std::string place;
    if (!Slot(StreetLine).empty())
        place = Slot(StreetLine);
    else
        place = Slot(StreetNumber) + (Slot(StreetNumber).empty() ? "" : " ") + Slot(StreetAddress);
    if (!Slot(City).empty())
        place += (Slot(StreetAddress).empty() ? "" : ", ") + Slot(City);
    if (!Slot(State).empty())
        place += (Slot(City).empty() ? "" : ", ") + Slot(State);
    if (!Slot(Zip).empty())
        place += " " + Slot(Zip);
    *Info() = {std::move(phone), std::move(name), std::move(place)};
}

void PrimaryGeocoder::MarkStreetNotFound() {
    if (Info() && Info()->size() >= 3)
        (*Info())[2] += " (Street not found)";
    precision_ = -2;
}

bool PrimaryGeocoder::Resolve(std::string& latitude, std::string& longitude) {
    latitude.clear();
    longitude.clear();
    const bool phoneMode = !Slot(Npa).empty();
    SetSearchType(phoneMode ? 0 : 1);
    const HttpAnswer answer = SendRequest();
    if (!answer && phoneMode)
        return false;
    MergeResults(answer.value_or(""));
    WriteInfoLines();

    latitude = Slot(Latitude);
    longitude = Slot(Longitude);
    const auto lat = StrictLatitude(latitude);
    const auto lng = StrictLongitude(longitude);
    if (lat && lng && *lat != 0.0 && *lng < 0.0) {
        if (Upper(Slot(Country).substr(0, 2)) == "CA")
            SetIsCanada(true);
        return true;
    }

    if (phoneMode && Slot(State).empty() && Slot(City).empty()) {
        ExchangeGeocoder exchange(Context(), Info());
        exchange.SetSlot(Npa, Slot(Npa));
        exchange.SetSlot(Nxx, Slot(Nxx));
        if (Guarded([&] { return exchange.Resolve(latitude, longitude); })) {
            SetIsCanada(exchange.IsCanada());
            precision_ = -2;
            return true;
        }
    }

    PostalCodeGeocoder postal(Context(), nullptr);
    if (!IsCanada() && !IsCanadianPostalCode(Slot(Zip), postal))
        return ResolveUnitedStates(latitude, longitude);
    return ResolveCanada(postal, latitude, longitude);
}

bool PrimaryGeocoder::ResolveUnitedStates(std::string& latitude, std::string& longitude) {
    AddressGeocoder address(Context(), Info());
    CopyAddress(*this, address, Slot(StreetAddress));
    if (Guarded([&] { return address.Resolve(latitude, longitude); }))
        return true;

    ZipGeocoder city(Context(), nullptr);
    return ResolveCity(city, true, latitude, longitude);
}

bool PrimaryGeocoder::ResolveCanada(PostalCodeGeocoder& postal, std::string& latitude,
                                    std::string& longitude) {
    SetIsCanada(true);
    CopyAddress(*this, postal, StripStreetSuffix(Slot(StreetAddress)));
    if (Guarded([&] { return postal.Resolve(latitude, longitude); }))
        return true;

    ZipGeocoder city(Context(), nullptr);
    city.SetCanada();
    return ResolveCity(city, false, latitude, longitude);
}

// The city service with the street, then, when city and state are both
// known, without it: the street was not found, the place is coarse.
bool PrimaryGeocoder::ResolveCity(ZipGeocoder& city, bool coarseWithoutStreet,
                                  std::string& latitude, std::string& longitude) {
    CopyAddress(*this, city, Slot(StreetAddress));
    if (Guarded([&] { return city.Resolve(latitude, longitude); })) {
        if (coarseWithoutStreet &&
            (Slot(State).empty() || Slot(City).empty() || Slot(StreetAddress).empty()))
            precision_ = -2;
        return true;
    }
    if (Slot(State).empty() || Slot(City).empty())
        return false;
    city.SetSlot(StreetAddress, "");
    city.SetSlot(StreetNumber, "");
    if (!Guarded([&] { return city.Resolve(latitude, longitude); }))
        return false;
    MarkStreetNotFound();
    return true;
}

} // namespace orbisk
