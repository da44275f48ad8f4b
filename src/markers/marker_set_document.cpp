// The marker set document: what a save writes, a load reads and every map
// request carries.
#include "common/leading_number.h"
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
    for (size_t i = 0; i < markers_.size(); ++i) {
        XmlNode node = set.InsertChildElement("Marker", i);
        markers_[i].WriteXml(node);
    }
    return document.XmlText();
}

bool MarkerSet::FromXml(const std::string& text) {
    Clear();
    XmlDocument document;
    if (!document.LoadXml(text))
        return false;
    try {
        const XmlNode root = document.Root();
        if (root.BaseName() != "DataSet")
            return false;
        const XmlNode set = root.SelectSingle("MarkerSet");
        const std::string readLng = set.Attribute("CenterLng");
        const std::string readLat = set.Attribute("CenterLat");
        if (set.IsNull() || readLng.empty() || readLat.empty())
            return false;
        centerLat = readLat;
        centerLng = readLng;
        title = set.Attribute("Title");
        const std::string readZoom = set.Attribute("Zoom");
        zoom = readZoom.empty() ? 2 : LeadingInteger(readZoom);
        const std::string readCountry = set.Attribute("Country");
        country = readCountry.empty() ? "United States" : readCountry;
        for (size_t i = 0; i < set.ChildCount(); ++i) {
            const XmlNode child = set.ChildAt(i);
            Marker marker;
            if (child.BaseName() == "Marker" && marker.ReadXml(child))
                markers_.push_back(std::move(marker));
        }
    } catch (const XmlError&) {
        Clear();
        return false;
    }
    modified_ = false;
    Notify();
    return true;
}

} // namespace orbisk
