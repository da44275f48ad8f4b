// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orbisk::tool {

// orbisk-tool convert IN OUT [--format F] [--route-points none|ends|all]: a
// marker set from a marker set, GPX, KML, KMZ or GeoJSON file, written as
// OUT's extension (or --format) says; what was read and left out on standard output.
int RunConvert(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace orbisk::tool
