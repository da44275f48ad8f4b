// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace orbisk {

enum class UserDir { Config, Cache, Data };

// The user's base folder of that kind: $XDG_CONFIG_HOME, $XDG_CACHE_HOME or
// $XDG_DATA_HOME when it is an absolute path, else ~/.config, ~/.cache or
// ~/.local/share; empty when no home folder is known.
std::filesystem::path UserBaseDirectory(UserDir kind);

// $HOME, else the account's home folder; empty when neither is known.
std::filesystem::path HomeDirectory();

} // namespace orbisk
