// SPDX-License-Identifier: GPL-3.0-or-later
// Answers of outside services are hostile text. The input is a small header,
// then a blank line, then the answer:
//   P name=value    a parameter of the result definition
//   S slot=key      the key of an output slot (0..14)
//   L               list mode
#include "services/service_call_error.h"
#include "services/text_extraction.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void ReadHeaderLine(const std::string& line, orbisk::ResultDefinition& definition, bool& listMode) {
    if (line == "L") {
        listMode = true;
        return;
    }
    const size_t equals = line.find('=');
    if (line.size() < 2 || line[1] != ' ' || equals == std::string::npos)
        return;
    const std::string name = line.substr(2, equals - 2);
    const std::string value = line.substr(equals + 1);
    if (line[0] == 'P') {
        definition.params.emplace_back(name, value);
    } else if (line[0] == 'S') {
        const size_t slot = std::strtoul(name.c_str(), nullptr, 10);
        if (slot < orbisk::kSlotCount)
            definition.slotKeys[slot] = value;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    orbisk::ResultDefinition definition;
    definition.method = static_cast<orbisk::ExtractMethod>(ORBISK_FUZZ_METHOD);
    bool listMode = false;
    const size_t blank = input.find("\n\n");
    const std::string header = input.substr(0, blank);
    const std::string answer = blank == std::string::npos ? "" : input.substr(blank + 2);
    size_t start = 0;
    while (start <= header.size()) {
        const size_t end = std::min(header.find('\n', start), header.size());
        ReadHeaderLine(header.substr(start, end - start), definition, listMode);
        start = end + 1;
    }
    try {
        (void)orbisk::ExtractRecord(answer, definition, listMode);
    } catch (const orbisk::ServiceCallError&) {
        // A split mark at the very start: the service call fails, as designed.
    }
    return 0;
}
