// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/local_search_result_set.h"

#include "common/leading_number.h"
#include "services/param_slot.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

namespace orbisk {

bool LocalSearchResultSet::ReadResultSet(const std::string& text) {
    results.clear();
    XmlDocument document;
    if (!document.LoadXml(text))
        return false;
    try {
        const XmlNode root = document.Root();
        if (root.BaseName() != "ResultSet") {
            totalResultsAvailable = totalResultsReturned = firstResultPosition = 0;
            return true;
        }
        totalResultsAvailable = LeadingInteger(root.Attribute("totalResultsAvailable"));
        totalResultsReturned = LeadingInteger(root.Attribute("totalResultsReturned"));
        firstResultPosition = LeadingInteger(root.Attribute("firstResultPosition"));
        for (size_t i = 0; i < root.ChildCount(); ++i) {
            const XmlNode child = root.ChildAt(i);
            const std::string name = child.BaseName();
            if (name == "Result") {
                results.emplace_back().ReadXml(child);
            } else if (name == "ResultSetMapUrl") {
                resultSetMapUrl = child.Text();
            }
        }
    } catch (const XmlError&) {
        // What was read stays; the text was well-formed XML.
    }
    return true;
}

bool LocalSearchResultSet::FromRecords(const std::vector<std::string>& values) {
    results.clear();
    const size_t records = values.size() / kSlotCount;
    totalResultsReturned = static_cast<int>(records);
    totalResultsAvailable = -1;
    for (size_t record = 0; record < records; ++record) {
        const auto value = [&](size_t slot) -> const std::string& {
            return values[record * kSlotCount + slot];
        };
        LocalSearchResult& result = results.emplace_back();
        result.address = value(StreetLine);
        result.city = value(City);
        result.state = value(State) + value(Zip);
        if (!value(Npa).empty())
            result.phone = "(" + value(Npa) + ")" + value(Nxx) + "-" + value(Xxxx);
        result.title = value(Name1) + value(Name2);
        result.latitude = value(Latitude);
        result.longitude = value(Longitude);
    }
    return true;
}

bool LocalSearchResultSet::ToXml(std::string& text) const {
    text.clear();
    try {
        XmlDocument document;
        XmlNode set = document.CreateRoot("ResultSet");
        set.SetAttributeInt("totalResultsAvailable", totalResultsAvailable);
        set.SetAttributeInt("totalResultsReturned", totalResultsReturned);
        set.SetAttributeInt("firstResultPosition", firstResultPosition);
        set.InsertChildElement("ResultSetMapUrl", 0).SetText(resultSetMapUrl);
        for (const LocalSearchResult& result : results) {
            XmlNode node = set.InsertChildElement("Result", 0);
            result.WriteXml(node);
        }
        text = document.XmlText();
        return true;
    } catch (const XmlError&) {
        text.clear();
        return false;
    }
}

} // namespace orbisk
