// SPDX-License-Identifier: GPL-3.0-or-later
// Local search answers (United States) come from an outside service.
#include "search/local_search_result_set.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orbisk::LocalSearchResultSet set;
    if (!set.ReadResultSet(text))
        return 0;
    std::string document;
    (void)set.ToXml(document);
    return 0;
}
