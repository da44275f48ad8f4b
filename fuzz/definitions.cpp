// SPDX-License-Identifier: GPL-3.0-or-later
// Definition files are downloaded; any text must leave usable definitions.
#include "services/service_definitions.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orbisk::ServiceDefinitions definitions;
    if (!definitions.ParseDefinitions(text))
        return 0;
    // Touch what a locate reads: every request's Format with empty slots.
    const std::vector<std::string> slots(orbisk::kSlotCount);
    for (const auto& geocoder : definitions.geocoders) {
        for (const auto& request : geocoder.requests) {
            try {
                (void)orbisk::FormatRequest(request, slots);
            } catch (const std::exception&) {
                // An index beyond the slots is refused by throwing; that is handled.
            }
        }
    }
    return 0;
}
