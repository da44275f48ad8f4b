// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/online_settings.h"

#include "common/strict_number.h"
#include "common/text.h"
#include "common/user_dirs.h"

namespace orbisk {
namespace {

std::optional<bool> YesOrNo(const std::string& value) {
    const std::string word = Upper(value);
    if (word == "YES" || word == "TRUE" || word == "ON" || word == "1")
        return true;
    if (word == "NO" || word == "FALSE" || word == "OFF" || word == "0")
        return false;
    return std::nullopt;
}

} // namespace

bool IsUpstreamAddress(const std::string& address) {
    const size_t scheme = address.rfind("https://", 0) == 0  ? 8
                          : address.rfind("http://", 0) == 0 ? 7
                                                             : 0;
    if (scheme == 0 || address.size() <= scheme || address.size() > 2000)
        return false;
    for (const unsigned char c : address)
        if (c <= ' ' || c >= 0x7f)
            return false;
    return address[scheme] != '/';
}

OnlineSettings ParseOnlineSettings(const std::string& text, std::vector<std::string>& problems) {
    OnlineSettings settings;
    std::optional<bool> online;
    int lineNumber = 0;
    for (const std::string& raw : Split(text, '\n')) {
        ++lineNumber;
        const std::string line = Trimmed(raw.substr(0, raw.find('#')));
        if (line.empty())
            continue;
        const size_t equals = line.find('=');
        const std::string key =
            equals == std::string::npos ? line : Trimmed(line.substr(0, equals));
        const std::string value =
            equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1));
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (key == "online" && YesOrNo(value))
            online = YesOrNo(value);
        else if ((key == "nominatim" || key == "overpass") && IsUpstreamAddress(value))
            (key == "nominatim" ? settings.nominatim : settings.overpass) = value;
        else if (key == "nominatim-interval" && StrictNumber(value, 0, 60))
            settings.nominatimInterval =
                std::chrono::milliseconds(static_cast<long>(*StrictNumber(value, 0, 60) * 1000));
        else
            problems.push_back(where + "\"" + line + "\" is not a setting this server knows");
    }
    if (online == false)
        settings.nominatim.clear(), settings.overpass.clear();
    if (online == true && settings.nominatim.empty())
        settings.nominatim = kPublicNominatim;
    if (online == true && settings.overpass.empty())
        settings.overpass = kPublicOverpass;
    return settings;
}

std::filesystem::path OnlineSettingsFile() {
    const std::filesystem::path base = UserBaseDirectory(UserDir::Config);
    return base.empty() ? base : base / "orbisk" / "orbisk-server.conf";
}

std::string FormatOnlineSettings(bool on, const std::string& nominatim, const std::string& overpass,
                                 const std::string& previous) {
    std::string text = "# OpenStreetMap's services for orbisk-server, as set in Orbisk's options.\n"
                       "online = " +
                       std::string(on ? "yes" : "no") + "\n";
    if (IsUpstreamAddress(nominatim))
        text += "nominatim = " + nominatim + "\n";
    if (IsUpstreamAddress(overpass))
        text += "overpass = " + overpass + "\n";
    for (const std::string& line : Split(previous, '\n'))
        if (Trimmed(line).rfind("nominatim-interval", 0) == 0)
            text += Trimmed(line) + "\n";
    return text;
}

} // namespace orbisk
