// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/locale_paper.h"

#include <cstdint>
#include <langinfo.h>

namespace orbisk {

std::optional<std::pair<int, int>> LocalePaperMillimetres() {
    // glibc gives these two as numbers in the place of the text pointer.
    const auto millimetres = [](nl_item item) {
        return static_cast<int>(reinterpret_cast<intptr_t>(nl_langinfo(item)));
    };
    const int width = millimetres(_NL_PAPER_WIDTH);
    const int height = millimetres(_NL_PAPER_HEIGHT);
    if (width <= 0 || height <= 0 || width > 2000 || height > 2000)
        return std::nullopt;
    return std::pair(width, height);
}

} // namespace orbisk
