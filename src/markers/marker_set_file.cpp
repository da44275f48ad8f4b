// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set_file.h"

#include "common/atomic_file.h"
#include "common/strict_number.h"
#include "common/user_text.h"
#include "xml/xml_error.h"

namespace orbisk {
namespace {

std::string CoordinateProblem(const std::string& what, const std::string& lat,
                              const std::string& lng) {
    if (!StrictLatitude(lat))
        return Arg(Tr("MarkerSet", "%1 has latitude \"%2\", not a number from -90 to 90"),
                   {what, lat});
    if (!StrictLongitude(lng))
        return Arg(Tr("MarkerSet", "%1 has longitude \"%2\", not a number from -180 to 180"),
                   {what, lng});
    return {};
}

// The first coordinate of the set that is not a number in range, in words.
std::string CoordinateProblem(const MarkerSet& set) {
    std::string problem =
        CoordinateProblem(Tr("MarkerSet", "the marker set centre"), set.centerLat, set.centerLng);
    for (size_t i = 0; problem.empty() && i < set.Markers().size(); ++i)
        problem = CoordinateProblem(Arg(Tr("MarkerSet", "marker %1"), {std::to_string(i + 1)}),
                                    set.Markers()[i].lat, set.Markers()[i].lng);
    return problem;
}

} // namespace

bool MarkerSetFile::WriteFile(const MarkerSet& set, const std::filesystem::path& path,
                              std::string* error) const {
    const auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::string text;
    try {
        text = set.ToXml();
    } catch (const XmlError&) {
        return fail(Tr("MarkerSet", "the marker set cannot be written as XML"));
    }
    if (set.Markers().size() > MarkerSet::kMaxMarkers || text.size() > kMaxFileBytes)
        return fail(Tr("MarkerSet", "the marker set is larger than a marker set file may be"));
    std::string why;
    if (!WriteFileAtomically(path, text, &why))
        return fail(why + ": " + path.string());
    return true;
}

bool MarkerSetFile::ReadFile(MarkerSet& set, const std::filesystem::path& path,
                             std::string* error) const {
    std::string content;
    if (!ReadWholeFile(path, kMaxFileBytes, content, error))
        return false;
    if (!set.FromXml(content.substr(0, content.find('\0')), error))
        return false;
    // A file's coordinates must be numbers: one read as 0 would move the
    // marker to the other side of the globe without a word.
    // Nor may a marker without them vanish: the user would lose it on the next save.
    const std::string problem =
        set.FirstSkippedMarker() ? Arg(Tr("MarkerSet", "marker %1 has no latitude or no longitude"),
                                       {std::to_string(set.FirstSkippedMarker())})
                                 : CoordinateProblem(set);
    if (problem.empty())
        return true;
    set.Clear();
    if (error)
        *error = problem;
    return false;
}

} // namespace orbisk
