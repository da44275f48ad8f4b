// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// Installs the window's language: the locale chosen from the settings and
// the environment becomes the default for numbers, and Orbisk's own texts,
// the core's and Qt's dialog buttons are translated into it.
void InstallUserLanguage(const std::string& choice);

} // namespace orbisk
