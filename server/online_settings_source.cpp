// SPDX-License-Identifier: GPL-3.0-or-later
#include "online_settings_source.h"

#include "common/atomic_file.h"

#include <iostream>

namespace orbisk::server {
namespace {

constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr auto kRecheck = std::chrono::seconds(1);

} // namespace

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
