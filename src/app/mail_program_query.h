// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace orbisk {

// Whether the desktop has a mail program for mailto links (xdg-mime's
// default, looked up among the desktop entries); nullopt when it cannot be
// told, as without xdg-utils.
std::optional<bool> MailProgramRegistered();

} // namespace orbisk
