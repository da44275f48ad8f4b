// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace orbisk {

// A control's place in the main window's client area, in pixels.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Where every control of the main window goes for a client size and the two
// panels' visibility. Pure, so that it is checked without a window.
struct MainLayout {
    int browserWidth = 0;
    int browserHeight = 0;
    Rect browser;
    Rect locateGroup, go, locateIcon, progress, frameOuter, frameInner;
    Rect searchGroup, markersGroup, searchIcon, searchLabel, keyword, next, previous, status;
    Rect markerIcon, markersLabel;
    std::array<Rect, 5> markerButtons; // Add, Edit, Load, Save, Send
};

inline constexpr int kMinimumWindowWidth = 636;
inline constexpr int kMinimumWindowHeight = 250;

// What the texts of Go and the bottom panel need in the user's font. The
// defaults are the narrowest they ever get; Go grows to the left.
struct TextWidths {
    int go = 30;
    int searchLabel = 70;
    int status = 95;
    int markersLabel = 60;
    std::array<int, 5> markerButtons{34, 34, 34, 34, 34};
};

// The keyword field never gets narrower than this.
inline constexpr int kMinimumKeywordWidth = 80;

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, bool locatePanelShown,
                             bool bottomPanelShown, const TextWidths& widths = {});

// The narrowest client area that shows the bottom panel and a locate group
// of `locateGroupWidth` whole.
int MinimumClientWidth(const TextWidths& widths, int locateGroupWidth);

} // namespace orbisk
