// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

class XmlNode;

// One business or place found by a local search.
struct LocalSearchResult {
    std::string title;
    std::string address;
    std::string city;
    std::string state;
    std::string phone;
    std::string latitude;
    std::string longitude;
    std::string businessUrl;

    // Every known child element sets its field; a repeated one replaces it.
    void ReadXml(const XmlNode& node);
    // Appends the eight elements, in their fixed order, to an empty "Result".
    void WriteXml(XmlNode& node) const;

    bool operator==(const LocalSearchResult&) const = default;
};

} // namespace orbisk
