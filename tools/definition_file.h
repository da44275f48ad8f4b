// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk::tool {

// The XML text of a definition file given on the command line: encoded as
// Map.dat is, or plain XML (first non-blank character "<"). False, with
// `error` in plain words, when it can't be read or decoded.
bool ReadDefinitionText(const std::string& path, std::string& text, std::string& error);

} // namespace orbisk::tool
