// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/online_settings.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

namespace orbisk::server {

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
