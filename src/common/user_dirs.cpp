// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_dirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace orbisk {

std::filesystem::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return entry->pw_dir;
    return {};
}

std::filesystem::path UserBaseDirectory(UserDir kind) {
    const char* variable = kind == UserDir::Config  ? "XDG_CONFIG_HOME"
                           : kind == UserDir::Cache ? "XDG_CACHE_HOME"
                                                    : "XDG_DATA_HOME";
    if (const char* base = std::getenv(variable); base && base[0] == '/')
        return base;
    const std::filesystem::path home = HomeDirectory();
    if (home.empty())
        return {};
    return kind == UserDir::Config  ? home / ".config"
           : kind == UserDir::Cache ? home / ".cache"
                                    : home / ".local" / "share";
}

} // namespace orbisk
