// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orbisk::server {

inline constexpr const char* kPublicNominatim = "https://nominatim.openstreetmap.org";
inline constexpr const char* kPublicOverpass = "https://overpass-api.de/api/interpreter";

// Which OpenStreetMap services the server asks, if any. An empty address
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

// An http or https address with a host and nothing that could end the line.
bool IsUpstreamAddress(const std::string& address);

// $XDG_CONFIG_HOME/orbisk/orbisk-server.conf, else ~/.config/orbisk/…; empty
// when neither can be found.
std::filesystem::path OnlineSettingsFile();

// The settings in force: those of the command line when it named any,
// else the file's, read again whenever it changes, so the desktop's
// settings take effect without restarting the server.
class OnlineSettingsSource {
public:
    OnlineSettingsSource() = default;
    OnlineSettingsSource(std::optional<OnlineSettings> commandLine, std::filesystem::path file);

    OnlineSettings Current();

private:
    std::optional<OnlineSettings> commandLine_;
    std::filesystem::path file_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point checked_{};
    std::filesystem::file_time_type stamp_{};
    std::uintmax_t size_ = 0;
    OnlineSettings fromFile_;
};

} // namespace orbisk::server
