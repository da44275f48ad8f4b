// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// The product title, " - " and the caption when there is one.
std::string TitleBase(const std::string& productTitle, const std::string& caption);
// The title with " *" while the current marker set has unsaved changes.
std::string WindowTitle(const std::string& titleBase, bool markersModified);

} // namespace orbisk
