// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/resize_settling.h"

namespace orbisk {

bool ResizeSettling::Tick() {
    if (resizes_ == 0)
        return false;
    if (resizes_ != lastResizes_) {
        lastResizes_ = resizes_;
        stableTicks_ = 0;
        return false;
    }
    if (stableTicks_ < kStableTicks) {
        ++stableTicks_;
        return false;
    }
    resizes_ = lastResizes_ = stableTicks_ = 0;
    return true;
}

} // namespace orbisk
