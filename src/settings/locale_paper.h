// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>

namespace orbisk {

// The paper of the locale in force for LC_PAPER, as width and height in
// millimetres: 216 x 279 (Letter) in the United States and Canada, 210 x 297
// (A4) in most other places; nullopt when the locale gives no usable size.
std::optional<std::pair<int, int>> LocalePaperMillimetres();

} // namespace orbisk
