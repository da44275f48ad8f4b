// SPDX-License-Identifier: GPL-3.0-or-later
// orbisk-tool: the core on the command line, for definition authors and
// server developers.
#include "codec_commands.h"
#include "common/version.h"
#include "convert_command.h"
#include "defs_commands.h"
#include "markers_command.h"
#include "request_command.h"
#include "service_commands.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(usage: orbisk-tool COMMAND [ARGUMENTS]

Commands:
  encode              compress and letter-encode standard input to standard output
  decode              decode letter-encoded standard input to standard output
  defs show FILE      print what a definition file (encoded or plain XML) defines
  defs lint FILE      list the problems of a definition file; exit 1 when there are any
  try FILE --type T --search S [--slot N=VALUE ...] [--answer ANSWERFILE]
                      format one service request, send it (or read a saved answer)
                      and print the slots cut out of the answer
  geocode FILE --mode phone|zip|street [--npa A --nxx B --xxxx C] [--zip Z]
          [--number N --street S --city C --state ST --country "United States"|Canada] [--zoom Z]
                      locate a place through the services of a definition file
  markers FILE        read a marker set file and print the marker set document it holds
  convert IN OUT [--format obk|gpx|kml|kmz|geojson] [--route-points none|ends|all]
                      convert markers between marker set, GPX, KML, KMZ and GeoJSON
                      files (the format of OUT by its extension, or --format); the
                      points of GPX routes and tracks: none, start and end (the
                      default) or all
  request --job CODE [--action N] [--defs FILE] [--mode phone|zip|street|latlng]
          [--npa A --nxx B --xxxx C] [--zip Z] [--number N --street S --city C --state ST --country COUNTRY]
          [--lat L --lng G] [--keyword K --first N] [--canadian] [--markers OBKFILE]
          [--view XMIN,XMAX,YMIN,YMAX,ZOOM] [--browser W,H] [--name NAME] [--last-caption TEXT]
          [--last-params TEXT] [--local-results XMLFILE] [--settings MAPT,MAPC,ZOOM]
                      print the caption, P, Q, address and body of the map request of a job
  --help              show this text
  --version           show the program's version

Exit status: 0 success, 1 a failed lookup or a file that won't load, 2 a usage error.
)";

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string command = argc > 1 ? argv[1] : "";
    const std::vector<std::string> words(argv + std::min(argc, 2), argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "orbisk-tool " << orbisk::kVersionText << "\n";
        return 0;
    }
    if (command == "encode" && words.empty())
        return orbisk::tool::RunEncode(std::cin, std::cout, std::cerr);
    if (command == "decode" && words.empty())
        return orbisk::tool::RunDecode(std::cin, std::cout, std::cerr);
    if (command == "defs")
        return orbisk::tool::RunDefs(words, std::cout, std::cerr);
    if (command == "try")
        return orbisk::tool::RunTry(words, std::cout, std::cerr);
    if (command == "geocode")
        return orbisk::tool::RunGeocode(words, std::cout, std::cerr);
    if (command == "markers")
        return orbisk::tool::RunMarkers(words, std::cout, std::cerr);
    if (command == "convert")
        return orbisk::tool::RunConvert(words, std::cout, std::cerr);
    if (command == "request")
        return orbisk::tool::RunRequest(words, std::cout, std::cerr);
    std::cerr << kUsage;
    return 2;
}
