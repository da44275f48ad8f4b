// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace orbisk {

inline constexpr const char* kPublicNominatim = "https://nominatim.openstreetmap.org";
inline constexpr const char* kPublicOverpass = "https://overpass-api.de/api/interpreter";

// Which OpenStreetMap services orbisk-server asks, if any. An empty address
// leaves that service off, and its answers come from the offline data.
struct OnlineSettings {
    std::string nominatim; // the search API's base address
    std::string overpass;  // the interpreter's address
    // The public geocoder allows one request a second; a private one may
    // allow more.
    std::chrono::milliseconds nominatimInterval{1000};

    bool Any() const { return !nominatim.empty() || !overpass.empty(); }
    bool operator==(const OnlineSettings&) const = default;
};

// "key = value" lines, '#' starting a comment: online = yes|no, nominatim =
// URL, overpass = URL, nominatim-interval = SECONDS. "online = yes" turns on
// each service not named with the public address; "online = no" turns both
// off. Lines that cannot be used are named in `problems` and skipped.
OnlineSettings ParseOnlineSettings(const std::string& text, std::vector<std::string>& problems);

// The file's text for the desktop's choice: on or off, with the addresses
// kept either way so that turning it on again finds them; other settings
// of `previous` (a hand-set interval) are kept.
std::string FormatOnlineSettings(bool on, const std::string& nominatim, const std::string& overpass,
                                 const std::string& previous);

// An http or https address with a host and nothing that could end the line.
bool IsUpstreamAddress(const std::string& address);

// $XDG_CONFIG_HOME/orbisk/orbisk-server.conf, else ~/.config/orbisk/…; empty
// when neither can be found.
std::filesystem::path OnlineSettingsFile();

} // namespace orbisk
