// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert_command.h"

#include "arguments.h"
#include "interchange/exchange_file.h"

#include <ostream>

namespace orbisk::tool {
namespace {

constexpr const char* kUsage =
    "usage: orbisk-tool convert IN OUT [--format obk|gpx|kml|kmz|geojson] "
    "[--route-points none|ends|all]\n";

std::optional<PathPoints> PathPointsNamed(const std::string& name) {
    if (name == "none")
        return PathPoints::None;
    if (name == "ends")
        return PathPoints::Ends;
    if (name == "all")
        return PathPoints::All;
    return std::nullopt;
}

} // namespace

int RunConvert(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Arguments arguments;
    std::string problem;
    if (!arguments.Parse(words, {"format", "route-points"}, {}, problem) ||
        arguments.Positionals().size() != 2) {
        err << (problem.empty() ? "" : problem + "\n") << kUsage;
        return 2;
    }
    const std::string in = arguments.Positionals()[0];
    const std::string target = arguments.Positionals()[1];
    const auto format =
        arguments.Has("format") ? FormatNamed(*arguments.Value("format")) : FormatOfPath(target);
    const auto choice = PathPointsNamed(arguments.ValueOr("route-points", "ends"));
    if (!format || !choice) {
        err << (format ? "--route-points takes none, ends or all\n"
                       : "the output's format is not known: name it with --format\n")
            << kUsage;
        return 2;
    }
    ImportedPlaces places;
    MarkerSet set;
    std::string why;
    if (!ExchangeFile::Read(in, places, why) ||
        !ExchangeFile::MakeSet(places, *choice, in, set, why)) {
        err << "cannot convert " << in << ": " << why << "\n";
        return 1;
    }
    if (!ExchangeFile::Write(set, target, *format, why)) {
        err << "cannot write " << target << ": " << why << "\n";
        return 1;
    }
    out << places.Report() << "\n";
    return 0;
}

} // namespace orbisk::tool
