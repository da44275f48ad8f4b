// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orbisk::tool {

// One line per problem a definition author needs to know about: requests
// that are never sent, rules that are ignored, services never found, and
// (type, search type) pairs the program asks for that the file lacks.
// A text that is not well-formed XML, or nested too deep, gives one line saying why.
std::vector<std::string> LintDefinitions(const std::string& xmlText);

} // namespace orbisk::tool
