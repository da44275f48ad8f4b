// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/exchange_file.h"

#include "common/atomic_file.h"
#include "common/user_text.h"
#include "interchange/fit_view.h"
#include "interchange/geojson_file.h"
#include "interchange/gpx_file.h"
#include "interchange/kml_file.h"
#include "interchange/kmz_archive.h"
#include "markers/marker_set_file.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

namespace orbisk {
namespace {

constexpr size_t kMaxBytes = MarkerSetFile::kMaxFileBytes;

ImportedPlaces FromMarkerSet(const std::string& text) {
    MarkerSet set;
    std::string why;
    if (!set.FromXml(text, &why))
        throw ExchangeError(why);
    if (set.FirstSkippedMarker())
        throw ExchangeError(Arg(Tr("Import", "marker %1 has no latitude or no longitude"),
                                {std::to_string(set.FirstSkippedMarker())}));
    ImportedPlaces places;
    places.title = set.title;
    for (size_t i = 0; i < set.Markers().size(); ++i) {
        const std::string what = Arg(Tr("Import", "marker %1"), {std::to_string(i + 1)});
        ImportedLatitude(set.Markers()[i].lat, what);
        ImportedLongitude(set.Markers()[i].lng, what);
    }
    places.markers = std::move(set.Markers());
    places.read.count = places.markers.size();
    return places;
}

ImportedPlaces FromXml(const std::string& text) {
    XmlDocument document;
    if (!document.LoadXml(text))
        throw ExchangeError(
            Arg(Tr("Import", "not a marker set, GPX or KML file: %1"), {document.Error()}));
    const XmlNode root = document.Root();
    const std::string name = root.BaseName();
    if (name == "gpx")
        return ReadGpx(root);
    if (name == "kml")
        return ReadKml(root);
    if (name == "DataSet")
        return FromMarkerSet(text);
    throw ExchangeError(Arg(Tr("Import", "not a marker set, GPX, KML, KMZ or GeoJSON file: its "
                                         "root element is \"%1\""),
                            {name.substr(0, 40)}));
}

ImportedPlaces FromBytes(const std::string& bytes) {
    const auto format = FormatOfBytes(bytes);
    if (format == ExchangeFormat::Kmz)
        return FromXml(UnpackKmz(bytes, kMaxBytes));
    if (format == ExchangeFormat::GeoJson)
        return ReadGeoJson(bytes);
    return FromXml(bytes.substr(0, bytes.find('\0')));
}

bool Chosen(ImportedPlaces& places, PathPoints choice, std::string& error) {
    places.TakePathPoints(choice);
    if (places.markers.empty()) {
        error = Arg(Tr("Import", "nothing in the file can be a marker: %1"), {places.Report()});
        return false;
    }
    return true;
}

} // namespace

bool ExchangeFile::Parse(const std::string& bytes, ImportedPlaces& places, std::string& error) {
    try {
        places = FromBytes(bytes);
        return true;
    } catch (const ExchangeError& failure) {
        error = failure.what();
    } catch (const XmlError& failure) {
        error = failure.what();
    }
    return false;
}

bool ExchangeFile::Read(const std::filesystem::path& path, ImportedPlaces& places,
                        std::string& error) {
    std::string bytes;
    return ReadWholeFile(path, kMaxBytes, bytes, &error) && Parse(bytes, places, error);
}

bool ExchangeFile::MakeSet(ImportedPlaces& places, PathPoints choice,
                           const std::filesystem::path& path, MarkerSet& set, std::string& error) {
    if (!Chosen(places, choice, error))
        return false;
    if (places.markers.size() > MarkerSet::kMaxMarkers) {
        error = MoreMarkersThanASetHolds();
        return false;
    }
    set.Clear();
    set.title = places.title.empty() ? path.stem().string() : places.title;
    set.Markers() = std::move(places.markers);
    FitViewToMarkers(set);
    return true;
}

bool ExchangeFile::AppendTo(ImportedPlaces& places, PathPoints choice, MarkerSet& set,
                            std::string& error) {
    if (!Chosen(places, choice, error))
        return false;
    if (set.Markers().size() + places.markers.size() > MarkerSet::kMaxMarkers) {
        error = Arg(Tr("Import", "the markers would be more than %1, which a marker set holds at "
                                 "most"),
                    {std::to_string(MarkerSet::kMaxMarkers)});
        return false;
    }
    // One change for the whole import: the owner hears of it once.
    auto& markers = set.Markers();
    markers.insert(markers.end(), std::make_move_iterator(places.markers.begin()),
                   std::make_move_iterator(places.markers.end()));
    FitViewToMarkers(set);
    set.SetModified(true);
    return true;
}

std::string ExchangeFile::Serialize(const MarkerSet& set, ExchangeFormat format) {
    switch (format) {
    case ExchangeFormat::Gpx: return WriteGpx(set);
    case ExchangeFormat::Kml: return WriteKml(set);
    case ExchangeFormat::Kmz: return PackKmz(WriteKml(set));
    case ExchangeFormat::GeoJson: return WriteGeoJson(set);
    case ExchangeFormat::MarkerSet: return set.ToXml();
    }
    return {};
}

bool ExchangeFile::Write(const MarkerSet& set, const std::filesystem::path& path,
                         ExchangeFormat format, std::string& error) {
    if (format == ExchangeFormat::MarkerSet)
        return MarkerSetFile().WriteFile(set, path, &error);
    try {
        std::string why;
        if (WriteFileAtomically(path, Serialize(set, format), &why))
            return true;
        error = why + ": " + path.string();
    } catch (const ExchangeError& failure) {
        error = failure.what();
    } catch (const XmlError& failure) {
        error = failure.what();
    }
    return false;
}

} // namespace orbisk
