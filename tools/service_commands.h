// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orbisk::tool {

// orbisk-tool try FILE --type T --search S [--slot N=VALUE ...] [--answer ANSWERFILE]
int RunTry(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// orbisk-tool geocode FILE --mode phone|zip|street [inputs...] [--zoom Z]
int RunGeocode(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace orbisk::tool
