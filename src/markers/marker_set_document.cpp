// SPDX-License-Identifier: GPL-3.0-or-later
// The marker set document: what a save writes, a load reads and every map
// request carries.
#include "common/leading_number.h"
#include "common/user_text.h"
#include "markers/marker_set.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

namespace orbisk {

std::string MarkerSet::ToXml() const {
    XmlDocument document;
    XmlNode dataSet = document.CreateRoot("DataSet");
    XmlNode set = dataSet.InsertChildElement("MarkerSet", 0);
    set.SetAttribute("CenterLng", centerLng);
    set.SetAttribute("CenterLat", centerLat);
    set.SetAttributeInt("Zoom", zoom);
    set.SetAttribute("Title", title);
    set.SetAttribute("Country", country);
    for (const Marker& marker : markers_) {
        XmlNode node = set.AppendChildElement("Marker");
        marker.WriteXml(node);
    }
    return document.XmlText();
}

bool MarkerSet::FromXml(const std::string& text, std::string* error) {
    Clear();
    firstSkippedMarker_ = 0;
    std::string problem;
    if (!ReadDocument(text, problem)) {
        Clear();
        if (error)
            *error = problem;
        return false;
    }
    modified_ = false;
    Notify();
    return true;
}

bool MarkerSet::ReadDocument(const std::string& text, std::string& problem) {
    XmlDocument document;
    if (!document.LoadXml(text)) {
        problem = document.Error();
        return false;
    }
    try {
        const XmlNode root = document.Root();
        const XmlNode set =
            root.BaseName() == "DataSet" ? root.SelectSingle("MarkerSet") : XmlNode();
        const std::string readLng = set.Attribute("CenterLng");
        const std::string readLat = set.Attribute("CenterLat");
        if (set.IsNull() || readLng.empty() || readLat.empty()) {
            problem =
                Tr("MarkerSet",
                   "no marker set: it needs DataSet > MarkerSet with CenterLat and CenterLng");
            return false;
        }
        centerLat = readLat;
        centerLng = readLng;
        title = set.Attribute("Title");
        const std::string readZoom = set.Attribute("Zoom");
        zoom = readZoom.empty() ? 2 : LeadingInteger(readZoom);
        const std::string readCountry = set.Attribute("Country");
        country = readCountry.empty() ? "United States" : readCountry;
        size_t markerElements = 0;
        for (size_t i = 0; i < set.ChildCount(); ++i) {
            const XmlNode child = set.ChildAt(i);
            Marker marker;
            if (child.BaseName() != "Marker")
                continue;
            ++markerElements;
            if (!marker.ReadXml(child)) {
                if (firstSkippedMarker_ == 0)
                    firstSkippedMarker_ = markerElements;
                continue;
            }
            if (markers_.size() == kMaxMarkers) {
                problem = Arg(Tr("MarkerSet", "more than %1 markers; a marker set holds at most "
                                              "that many"),
                              {std::to_string(kMaxMarkers)});
                return false;
            }
            markers_.push_back(std::move(marker));
        }
    } catch (const XmlError& failure) {
        problem = failure.what();
        return false;
    }
    return true;
}

} // namespace orbisk
