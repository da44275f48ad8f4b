// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/main_layout.h"

#include <algorithm>
#include <numeric>

namespace orbisk {
namespace {

constexpr int kButtonGap = 4;

int ButtonsWidth(const TextWidths& widths) {
    return std::accumulate(widths.markerButtons.begin(), widths.markerButtons.end(), 0) +
           kButtonGap * 4;
}

// The bottom panel from the right: the marker buttons end 10 px before the
// browser's right edge, their caption and icon before them; the local search
// group takes what is left, its keyword field the rest of that. On two rows
// (a screen too narrow for the texts, as at 200 % in French) each group has
// the whole width, the search above the markers.
void PlaceBottomPanel(MainLayout& layout, int bw, int h, const TextWidths& widths, bool twoRows) {
    int x = bw + 10 - ButtonsWidth(widths);
    for (int i = 0; i < 5; ++i) {
        layout.markerButtons[i] = {x, h - 32, widths.markerButtons[i], 22};
        x += widths.markerButtons[i] + kButtonGap;
    }
    const int labelX = layout.markerButtons[0].x - widths.markersLabel;
    layout.markersLabel = {labelX, h - 29, widths.markersLabel, 22};
    layout.markerIcon = {labelX - 26, h - 38, 20, 34};
    const int groupX = twoRows ? 14 : labelX - 30;
    layout.markersGroup = {groupX, h - 46, bw + 14 - groupX, 44};
    const int searchEnd = twoRows ? bw + 14 : groupX;
    const int y = twoRows ? h - 44 : h;
    layout.searchGroup = {14, y - 46, searchEnd - 14, 44};
    layout.searchIcon = {16, y - 38, 20, 34};
    layout.searchLabel = {44, y - 30, widths.searchLabel, 22};
    const int statusX = searchEnd - 5 - widths.status;
    layout.status = {statusX, y - 29, widths.status, 22};
    layout.previous = {statusX - 28, y - 32, 26, 22};
    layout.next = {statusX - 58, y - 32, 26, 22};
    const int keywordX = 44 + widths.searchLabel;
    layout.keyword = {keywordX, y - 32, layout.next.x - 2 - keywordX, 22};
}

} // namespace

MainLayout ComputeMainLayout(int w, int h, bool locatePanelShown, bool bottomPanelShown,
                             const TextWidths& widths) {
    MainLayout layout;
    const int bw = w - 28;
    const int bh = h - 149 + (locatePanelShown ? 0 : 90) + (bottomPanelShown ? 0 : 34);
    layout.browserWidth = bw;
    layout.browserHeight = bh;
    layout.browser = {14, locatePanelShown ? 101 : 5, bw, bh};
    layout.locateGroup = {14, 5, bw - 46, 90};
    layout.go = {bw - 45 - widths.go, 61, widths.go, 24};
    layout.locateIcon = {bw - 70, 25, 20, 34};
    layout.progress = {bw - 24, 37, 32, 32};
    layout.frameOuter = {bw - 31, 5, 46, 90};
    layout.frameInner = {bw - 31, 24, 46, 52};
    PlaceBottomPanel(layout, bw, h, widths, false);
    // A keyword field squeezed under half its width means the row cannot
    // hold the texts: the panel takes a second row from the browser.
    if (bottomPanelShown && layout.keyword.width < kMinimumKeywordWidth / 2) {
        layout.browserHeight -= 44;
        layout.browser.height -= 44;
        PlaceBottomPanel(layout, bw, h, widths, true);
    }
    return layout;
}

int MinimumClientWidth(const TextWidths& widths, int locateGroupWidth) {
    const int bottom = kMinimumKeywordWidth + ButtonsWidth(widths) + widths.markersLabel +
                       widths.status + widths.searchLabel + 129;
    return std::max({kMinimumWindowWidth, bottom + 28, locateGroupWidth + 44 + widths.go});
}

} // namespace orbisk
