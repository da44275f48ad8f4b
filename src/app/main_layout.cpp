#include "app/main_layout.h"

namespace orbisk {

MainLayout ComputeMainLayout(int w, int h, bool locatePanelShown, bool bottomPanelShown) {
    MainLayout layout;
    const int bw = w - 28;
    const int bh = h - 149 + (locatePanelShown ? 0 : 90) + (bottomPanelShown ? 0 : 34);
    layout.browserWidth = bw;
    layout.browserHeight = bh;
    layout.browser = {14, locatePanelShown ? 101 : 5, bw, bh};
    layout.locateGroup = {14, 5, bw - 46, 90};
    layout.go = {bw - 75, 61, 30, 24};
    layout.locateIcon = {bw - 70, 25, 20, 34};
    layout.progress = {bw - 24, 37, 32, 32};
    layout.frameOuter = {bw - 31, 5, 46, 90};
    layout.frameInner = {bw - 31, 24, 46, 52};
    layout.searchGroup = {14, h - 46, bw - 280, 44};
    layout.markersGroup = {bw - 266, h - 46, 280, 44};
    layout.searchIcon = {16, h - 38, 20, 34};
    layout.searchLabel = {44, h - 30, 70, 22};
    layout.keyword = {114, h - 32, bw - 540, 22};
    layout.next = {bw - 424, h - 32, 26, 22};
    layout.previous = {bw - 394, h - 32, 26, 22};
    layout.status = {bw - 366, h - 29, 95, 22};
    layout.markerIcon = {bw - 262, h - 38, 20, 34};
    layout.markersLabel = {bw - 236, h - 29, 60, 22};
    for (int i = 0; i < 5; ++i)
        layout.markerButtons[i] = {bw - 176 + 38 * i, h - 32, 34, 22};
    return layout;
}

} // namespace orbisk
