// SPDX-License-Identifier: GPL-3.0-or-later
#include "online_settings.h"

#include "common/atomic_file.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "common/user_dirs.h"

#include <iostream>

namespace orbisk::server {
namespace {

constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr auto kRecheck = std::chrono::seconds(1);

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

OnlineSettingsSource::OnlineSettingsSource(std::optional<OnlineSettings> commandLine,
                                           std::filesystem::path file)
    : commandLine_(std::move(commandLine)), file_(std::move(file)) {}

OnlineSettings OnlineSettingsSource::Current() {
    if (commandLine_)
        return *commandLine_;
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (file_.empty() || now - checked_ < kRecheck)
        return fromFile_;
    checked_ = now;
    std::error_code error;
    const auto stamp = std::filesystem::last_write_time(file_, error);
    const auto size = error ? 0 : std::filesystem::file_size(file_, error);
    if (error) {
        fromFile_ = {};
        stamp_ = {};
        return fromFile_;
    }
    if (stamp == stamp_ && size == size_)
        return fromFile_;
    stamp_ = stamp;
    size_ = size;
    std::string text;
    std::vector<std::string> problems;
    // A file that cannot be read leaves the services off, as no file does.
    fromFile_ = ReadWholeFile(file_, kMaxFileBytes, text) ? ParseOnlineSettings(text, problems)
                                                          : OnlineSettings{};
    for (const std::string& problem : problems)
        std::cerr << "orbisk-server: " << file_.string() << ", " << problem << "\n";
    return fromFile_;
}

} // namespace orbisk::server
