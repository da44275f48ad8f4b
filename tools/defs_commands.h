// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orbisk::tool {

// orbisk-tool defs show FILE | defs lint FILE
int RunDefs(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace orbisk::tool
