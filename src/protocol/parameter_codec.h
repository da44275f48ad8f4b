// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace orbisk {

// Compresses a text with zlib and writes every compressed byte as two letters
// '@'..'O' (low nibble first), so it can travel in a form-encoded body; and
// back. Stateless: create one per use.
class ParameterCodec {
public:
    // The decoder's output buffer holds 64 KiB with one byte kept for the
    // terminator, so decoded texts are at most this long.
    static constexpr size_t kMaxDecodedLength = 65535;

    // On failure `out` is empty. Fails when the compressed data would not fit
    // in twice the input length (the empty text in particular).
    bool Encode(const std::string& in, std::string& out) const;

    // Only the low four bits of each character count; an odd last character is
    // ignored. The output ends at the first zero byte of the decoded data.
    // Decoded texts longer than `maxLength` fail; the map server, which
    // receives whole marker sets, allows more than the client's 64 KiB.
    // `tooLong`, when given, tells that limit apart from damaged data.
    bool Decode(const std::string& in, std::string& out, size_t maxLength = kMaxDecodedLength,
                bool* tooLong = nullptr) const;
};

} // namespace orbisk
