// SPDX-License-Identifier: GPL-3.0-or-later
#include "gzip_text.h"

#include "common/text.h"

#include <climits>
#include <zlib.h>

namespace orbisk::server {

std::optional<std::string> Gzipped(const std::string& text) {
    if (text.size() > UINT_MAX)
        return std::nullopt;
    z_stream stream{};
    constexpr int kGzipWindow = 15 + 16; // 16 asks zlib for the gzip header and trailer
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

namespace {

std::string AsciiLowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// "q=0", "q=0.0", "q=0.000": the coding is refused.
bool QualityIsZero(const std::vector<std::string>& parameters) {
    for (size_t i = 1; i < parameters.size(); ++i) {
        const std::string parameter = AsciiLowered(Trimmed(parameters[i]));
        if (parameter.rfind("q=", 0) == 0)
            return parameter.find_first_not_of("0.", 2) == std::string::npos;
    }
    return false;
}

} // namespace

bool AcceptsGzip(const std::string& acceptEncoding) {
    std::optional<bool> gzip;
    std::optional<bool> any;
    for (const std::string& item : Split(acceptEncoding, ',')) {
        const std::vector<std::string> parts = Split(item, ';');
        const std::string coding = AsciiLowered(Trimmed(parts[0]));
        if (coding == "gzip" || coding == "x-gzip")
            gzip = !QualityIsZero(parts);
        else if (coding == "*")
            any = !QualityIsZero(parts);
    }
    return gzip.value_or(any.value_or(false));
}

} // namespace orbisk::server
