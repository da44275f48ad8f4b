// SPDX-License-Identifier: GPL-3.0-or-later
// Any web page the user visits can POST to the local map server, so its
// reader of map page bodies meets whatever a page can send.
#include "map_request.h"

#include "markers/marker_set.h"
#include "search/local_search_result_set.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const orbisk::server::MapRequest request = orbisk::server::ParseMapBody(body);
    // The expanded parts stay within a fixed multiple of the body.
    if (request.resultsXml.size() + request.markersXml.size() > 16u * 1024 * 1024)
        std::abort();
    // The page reads both documents; they must be read without a crash.
    orbisk::MarkerSet markers;
    markers.FromXml(request.markersXml);
    orbisk::LocalSearchResultSet results;
    results.ReadResultSet(request.resultsXml);
    return 0;
}
