// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers_command.h"

#include "markers/marker_set_file.h"
#include "xml/xml_error.h"

#include <ostream>

namespace orbisk::tool {

int RunMarkers(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.size() != 1) {
        err << "usage: orbisk-tool markers FILE\n";
        return 2;
    }
    MarkerSet set;
    std::string why;
    if (!MarkerSetFile().ReadFile(set, words[0], &why)) {
        err << "not a marker set file: " << why << "\n";
        return 1;
    }
    try {
        out << set.ToXml();
    } catch (const XmlError& error) {
        err << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace orbisk::tool
