// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// The user's own map server starts on demand, not at every login: when the
// definitions name a server on this machine's loopback interface and
// nothing listens there, the systemd user unit is started, and start-up
// waits the moment it takes to listen. Without a user service manager (a
// build tree, a test) nothing is started.
void StartLocalServerWhenAbsent(const std::string& host);

} // namespace orbisk
