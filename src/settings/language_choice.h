// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace orbisk {

// The language the window speaks: "" follows the environment, "en" and "fr"
// are the user's own choice in the settings.
constexpr const char* kLanguageFollowsSystem = "";

std::string LoadLanguageChoice(const std::filesystem::path& storeFile);
bool SaveLanguageChoice(const std::filesystem::path& storeFile, const std::string& choice);

using EnvironmentLookup = std::function<std::string(const char* name)>;

// The locale the window uses, such as "fr_CA" or "en_US": French or English,
// as the choice says, or else as the environment does the way gettext reads
// it (LANGUAGE's list, unless the locale from LC_ALL, LC_MESSAGES or LANG is
// "C"). Anything else is English, with the North American default.
std::string ChooseUserLocale(const std::string& choice, const EnvironmentLookup& environment);

} // namespace orbisk
