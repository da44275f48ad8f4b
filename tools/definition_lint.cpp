// SPDX-License-Identifier: GPL-3.0-or-later
#include "definition_lint.h"

#include "common/leading_number.h"
#include "common/strict_number.h"
#include "services/service_definitions.h"
#include "xml/xml_document.h"

#include <limits>
#include <set>

namespace orbisk::tool {
namespace {

struct Asked {
    int type;
    int searchType;
    const char* use;
};

// Every (type, search type) the program asks for.
constexpr Asked kAsked[] = {
    {0, 0, "reverse telephone lookup"},
    {0, 1, "street address, first attempt"},
    {1, 2, "area code and exchange"},
    {2, 3, "street address, United States"},
    {3, 4, "Canadian postal code"},
    {3, 5, "Canadian address"},
    {4, 6, "zip code"},
    {4, 7, "city and state or province"},
    {5, 8, "local search, United States"},
    {6, 9, "local search, Canada"},
};

// Local search requests also carry the keyword (15) and first position (16).
int HighestRequestSlot(int type) {
    return type == 5 || type == 6 ? 16 : 14;
}

std::vector<XmlNode> ChildElements(const XmlNode& parent, const std::string& name = "") {
    std::vector<XmlNode> children;
    for (size_t i = 0; i < parent.ChildCount(); ++i) {
        const XmlNode child = parent.ChildAt(i);
        if (!child.BaseName().empty() && (name.empty() || child.BaseName() == name))
            children.push_back(child);
    }
    return children;
}

class Linter {
public:
    std::vector<std::string> problems;

    void GeoCoder(const XmlNode& node, size_t number) {
        const int type = LeadingInteger(node.Attribute("Type"));
        const std::string where =
            "GeoCoder " + std::to_string(number) + " (Type " + std::to_string(type) + ")";
        if (type < 0 || type > 6) {
            problems.push_back(where + ": Type outside 0..6; ignored");
            return;
        }
        if (!types_.insert(type).second) {
            problems.push_back(where + ": a second GeoCoder of Type " + std::to_string(type) +
                               "; never used");
            return;
        }
        std::set<int> searchTypes;
        const auto requests = ChildElements(node.SelectSingle("Requests"));
        for (size_t i = 0; i < requests.size(); ++i)
            Request(requests[i], where + " request " + std::to_string(i), type, searchTypes);
        const auto results = ChildElements(node.SelectSingle("Results"));
        for (size_t i = 0; i < results.size(); ++i)
            Result(results[i], where + " result " + std::to_string(i));
    }

    // What the program reads as numbers must be numbers: "1e400" or "nan"
    // would be read as something else without a word.
    void Numbers(const XmlNode& setting) {
        const std::string ver = setting.Attribute("Ver");
        if (!StrictInteger(ver, 0, std::numeric_limits<int>::max()))
            problems.push_back("GeoCoderSetting Ver \"" + ver +
                               "\" is not a whole number; updates cannot compare it");
        const XmlNode initial = setting.SelectSingle("MapInitialStatus");
        if (initial.IsNull())
            return;
        const std::string latitude = initial.Attribute("Latitude");
        const std::string longitude = initial.Attribute("Longitude");
        if (!latitude.empty() && !StrictLatitude(latitude))
            problems.push_back("MapInitialStatus Latitude \"" + latitude +
                               "\" is not a number from -90 to 90");
        if (!longitude.empty() && !StrictLongitude(longitude))
            problems.push_back("MapInitialStatus Longitude \"" + longitude +
                               "\" is not a number from -180 to 180");
    }

    void Missing() {
        for (const Asked& asked : kAsked)
            if (!found_.count({asked.type, asked.searchType}))
                problems.push_back("missing: Type " + std::to_string(asked.type) + " SearchType " +
                                   std::to_string(asked.searchType) + " (" + asked.use + ")");
    }

private:
    void Request(const XmlNode& node, const std::string& context, int type,
                 std::set<int>& searchTypes) {
        const int searchType = LeadingInteger(node.Attribute("SearchType"));
        const std::string where = context + " (SearchType " + std::to_string(searchType) + ")";
        if (!searchTypes.insert(searchType).second) {
            problems.push_back(where + ": a second request of SearchType " +
                               std::to_string(searchType) + "; never used");
            return;
        }
        bool usable = true;
        const auto say = [&](const std::string& problem, bool unusable) {
            problems.push_back(where + ": " + problem + (unusable ? "; never sent" : ""));
            usable = usable && !unusable;
        };
        const int postType = LeadingInteger(node.Attribute("PostType"));
        if (postType != 0 && postType != 1)
            say("PostType " + std::to_string(postType) + " is neither 0 (POST) nor 1 (GET)", true);
        int indices = 0;
        for (const XmlNode& property : ChildElements(node, "RequestProperty")) {
            const int index = LeadingInteger(property.Attribute("Index"));
            if (index < 0) {
                say("RequestProperty Index " + std::to_string(index) + " is negative; ignored",
                    false);
                continue;
            }
            ++indices;
            if (index > HighestRequestSlot(type))
                say("slot index " + std::to_string(index) + " out of range 0.." +
                        std::to_string(HighestRequestSlot(type)) + "; the service call fails",
                    true);
        }
        if (indices == 0)
            say("no RequestProperty indices", true);
        if (indices > 15)
            say(std::to_string(indices) + " RequestProperty indices (at most 15)", true);
        const int conversions = FormatConversionCount(node.Attribute("Format"));
        if (conversions < 0)
            say("Format has a conversion other than %s or %%", true);
        else if (indices > 0 && conversions != indices)
            say("Format has " + std::to_string(conversions) + " %s for " + std::to_string(indices) +
                    " indices",
                true);
        if (usable)
            found_.insert({type, searchType});
    }

    void Result(const XmlNode& node, const std::string& where) {
        const int method = LeadingInteger(node.Attribute("Method"));
        if (method < 0 || method > 3) {
            problems.push_back(where + ": unknown Method " + std::to_string(method) + "; ignored");
            return;
        }
        for (const XmlNode& property :
             ChildElements(node.SelectSingle("ResultProperties"), "ResultProperty")) {
            const int index = LeadingInteger(property.Attribute("Index"));
            if (index < 0 || index > 14)
                problems.push_back(where + ": ResultProperty Index " + std::to_string(index) +
                                   " out of range 0..14; ignored");
        }
    }

    std::set<int> types_;
    std::set<std::pair<int, int>> found_;
};

} // namespace

std::vector<std::string> LintDefinitions(const std::string& xmlText) {
    XmlDocument document;
    if (!document.LoadXml(xmlText))
        return {"the definition text cannot be read: " + document.Error()};
    const XmlNode setting = document.Root().SelectSingle("GeoCoderSetting");
    Linter linter;
    if (setting.IsNull()) {
        linter.problems.push_back(
            "no GeoCoderSetting element under the document element; no services");
    } else {
        linter.Numbers(setting);
        size_t number = 0;
        for (const XmlNode& geocoder : ChildElements(setting, "GeoCoder"))
            linter.GeoCoder(geocoder, number++);
    }
    linter.Missing();
    return linter.problems;
}

} // namespace orbisk::tool
