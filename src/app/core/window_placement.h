// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/core/main_layout.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orbisk {

// Where the main window was left, kept in the per-user store as
// "x,y,width,height".
std::optional<Rect> ParseWindowPlacement(const std::string& text);
std::string FormatWindowPlacement(const Rect& placement);
std::optional<Rect> LoadWindowPlacement(const std::filesystem::path& storeFile);
bool SaveWindowPlacement(const std::filesystem::path& storeFile, const Rect& placement);

// A first window on a screen's available area: centred, four fifths of a
// small screen, no larger than 1280 × 900 on a large one, never below the
// window's minimum unless the screen itself is smaller (a strong scale):
// the whole window, menus and Go included, is always on the screen.
Rect FirstWindowPlacement(const Rect& available, int minimumWidth, int minimumHeight);

// A stored placement, shrunk to the available area and moved onto it, so a
// window left on a screen that is gone, or on a larger one, opens whole;
// the minimum gives way to the screen as above.
Rect FitWindowPlacement(const Rect& placement, const Rect& available, int minimumWidth,
                        int minimumHeight);

} // namespace orbisk
