// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orbisk::tool {

// orbisk-tool request --job CODE [...]: the map page request a job would send.
int RunRequest(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace orbisk::tool
