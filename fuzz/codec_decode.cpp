// SPDX-License-Identifier: GPL-3.0-or-later
// Encoded parameters arrive in map page bodies and definition files.
#include "protocol/parameter_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const orbisk::ParameterCodec codec;
    std::string decoded;
    if (!codec.Decode(input, decoded))
        return 0;
    if (decoded.size() > orbisk::ParameterCodec::kMaxDecodedLength)
        std::abort();
    // Encode may refuse a text too short to compress into twice its length;
    // whatever it accepts must survive a round trip unchanged.
    std::string encoded, again;
    if (decoded.empty() || !codec.Encode(decoded, encoded))
        return 0;
    if (!codec.Decode(encoded, again) || again != decoded)
        std::abort();
    return 0;
}
