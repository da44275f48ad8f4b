// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>

namespace orbisk::tool {

// Read all of `in`, write the encoded or decoded bytes to `out` with nothing
// added. On failure print "encode failed" / "decode failed" to `err` and give 1.
int RunEncode(std::istream& in, std::ostream& out, std::ostream& err);
int RunDecode(std::istream& in, std::ostream& out, std::ostream& err);

} // namespace orbisk::tool
