// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/window_title.h"

namespace orbisk {

std::string TitleBase(const std::string& productTitle, const std::string& caption) {
    return caption.empty() ? productTitle : productTitle + " - " + caption;
}

std::string WindowTitle(const std::string& titleBase, bool markersModified) {
    return markersModified ? titleBase + " *" : titleBase;
}

} // namespace orbisk
