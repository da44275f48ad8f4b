// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/update_notice.h"

#include "settings/settings_store.h"

namespace orbisk {

bool UpdateNotice::Tick(bool busy, int updatePreference, bool newerProgram) {
    if (busy || updatePreference == static_cast<int>(UpdatePreference::Disabled) || ticks_ == -1)
        return false;
    if (ticks_ < kTicksBeforeNotice) {
        ++ticks_;
        return false;
    }
    ticks_ = -1;
    return newerProgram && updatePreference == static_cast<int>(UpdatePreference::Notify);
}

} // namespace orbisk
