// SPDX-License-Identifier: GPL-3.0-or-later
// Marker set files come from mail and downloads.
#include "markers/marker_set.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orbisk::MarkerSet set;
    if (!set.FromXml(text))
        return 0;
    // A set that was read must be writable and read back.
    orbisk::MarkerSet again;
    if (!again.FromXml(set.ToXml()))
        std::abort();
    return 0;
}
