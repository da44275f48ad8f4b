// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/local_search_result.h"

#include "xml/xml_node.h"

#include <array>
#include <utility>

namespace orbisk {
namespace {

using Field = std::string LocalSearchResult::*;

constexpr std::array<std::pair<const char*, Field>, 8> kFields = {{
    {"Title", &LocalSearchResult::title},
    {"Address", &LocalSearchResult::address},
    {"City", &LocalSearchResult::city},
    {"State", &LocalSearchResult::state},
    {"Phone", &LocalSearchResult::phone},
    {"Latitude", &LocalSearchResult::latitude},
    {"Longitude", &LocalSearchResult::longitude},
    {"BusinessUrl", &LocalSearchResult::businessUrl},
}};

} // namespace

void LocalSearchResult::ReadXml(const XmlNode& node) {
    for (size_t i = 0; i < node.ChildCount(); ++i) {
        const XmlNode child = node.ChildAt(i);
        const std::string name = child.BaseName();
        for (const auto& [fieldName, field] : kFields)
            if (name == fieldName)
                this->*field = child.Text();
    }
}

void LocalSearchResult::WriteXml(XmlNode& node) const {
    for (size_t i = 0; i < kFields.size(); ++i)
        node.InsertChildElement(kFields[i].first, i).SetText(this->*kFields[i].second);
}

} // namespace orbisk
