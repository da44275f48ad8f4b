// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/service_client.h"

#include <string>

namespace orbisk {

// Reverse telephone lookup (search type 0) or first street address attempt
// (1), with the whole fallback cascade of the United States and Canada.
class PrimaryGeocoder : public ServiceClient {
public:
    PrimaryGeocoder(ServiceContext context, InfoLines* infoLines);
    bool Resolve(std::string& latitude, std::string& longitude);
    // -2 when the place found is coarser than asked (a city, an exchange).
    int Precision() const { return precision_; }

private:
    void WriteInfoLines();
    bool ResolveUnitedStates(std::string& latitude, std::string& longitude);
    bool ResolveCanada(class PostalCodeGeocoder& postal, std::string& latitude,
                       std::string& longitude);
    bool ResolveCity(class ZipGeocoder& city, bool coarseWithoutStreet, std::string& latitude,
                     std::string& longitude);
    void MarkStreetNotFound();

    int precision_ = -1;
};

// The place of a telephone area code and exchange.
class ExchangeGeocoder : public ServiceClient {
public:
    ExchangeGeocoder(ServiceContext context, InfoLines* infoLines);
    bool Resolve(std::string& latitude, std::string& longitude);
};

// A street address in the United States (second attempt).
class AddressGeocoder : public ServiceClient {
public:
    AddressGeocoder(ServiceContext context, InfoLines* infoLines);
    bool Resolve(std::string& latitude, std::string& longitude);
};

// A Canadian postal code alone (search type 4) or a Canadian address (5).
class PostalCodeGeocoder : public ServiceClient {
public:
    PostalCodeGeocoder(ServiceContext context, InfoLines* infoLines);
    bool Resolve(std::string& latitude, std::string& longitude);
};

// A zip code (search type 6) or a city with its state or province (7).
class ZipGeocoder : public ServiceClient {
public:
    ZipGeocoder(ServiceContext context, InfoLines* infoLines);
    // Asks for the place in Canada ("CA" in the Country slot).
    void SetCanada();
    bool Resolve(std::string& latitude, std::string& longitude);
};

// Exactly five digits once everything else is dropped; they become the Zip slot.
bool IsUsZipCode(const std::string& text, ServiceClient& client);
// Letter, digit, letter, digit, letter, digit once blanks and punctuation are
// dropped; upper-cased, they become the Zip slot.
bool IsCanadianPostalCode(const std::string& text, ServiceClient& client);
// Drops a trailing " CR", " CT", " DR", " ST" or " RD", in any case.
std::string StripStreetSuffix(const std::string& street);
// A two-letter Canadian province or territory code (NF or NL for
// Newfoundland), blanks and case ignored.
bool IsCanadianProvince(const std::string& state);

} // namespace orbisk
