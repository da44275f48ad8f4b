// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/parameter_codec.h"

#include <climits>
#include <new>
#include <vector>
#include <zlib.h>

namespace orbisk {

// Compresses in chunks with the same stream settings as zlib's one-call
// compress(), so the bytes are identical, without a buffer of twice the input:
// a fresh allocation that large costs more than the compression itself.
bool ParameterCodec::Encode(const std::string& in, std::string& out) const {
    out.clear();
    const uLong limit = static_cast<uLong>(in.size()) * 2;
    z_stream stream{};
    if (in.empty() || in.size() > UINT_MAX / 2 ||
        deflateInit(&stream, Z_DEFAULT_COMPRESSION) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream.avail_in = static_cast<uInt>(in.size());
    Bytef chunk[16384];
    int status = Z_OK;
    try {
        while (status == Z_OK) {
            stream.next_out = chunk;
            stream.avail_out = sizeof chunk;
            status = deflate(&stream, Z_FINISH);
            const size_t produced = sizeof chunk - stream.avail_out;
            if (stream.total_out > limit) {
                status = Z_BUF_ERROR;
                break;
            }
            const size_t start = out.size();
            out.resize(start + 2 * produced);
            for (size_t i = 0; i < produced; ++i) {
                out[start + 2 * i] = static_cast<char>(0x40 | (chunk[i] & 0x0F));
                out[start + 2 * i + 1] = static_cast<char>(0x40 | (chunk[i] >> 4));
            }
        }
    } catch (const std::bad_alloc&) {
        status = Z_MEM_ERROR;
    }
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        out.clear();
    return status == Z_STREAM_END;
}

bool ParameterCodec::Decode(const std::string& in, std::string& out, size_t maxLength,
                            bool* tooLong) const {
    out.clear();
    if (tooLong)
        *tooLong = false;
    const size_t n = in.size() / 2;
    if (n == 0 || n > UINT_MAX)
        return false;
    try {
        std::vector<Bytef> packed(n);
        for (size_t i = 0; i < n; ++i) {
            const auto low = static_cast<unsigned char>(in[2 * i]) & 0x0F;
            const auto high = static_cast<unsigned char>(in[2 * i + 1]) & 0x0F;
            packed[i] = static_cast<Bytef>((high << 4) | low);
        }
        // Inflated in chunks so that a generous limit costs nothing until used.
        z_stream stream{};
        if (inflateInit(&stream) != Z_OK)
            return false;
        stream.next_in = packed.data();
        stream.avail_in = static_cast<uInt>(n);
        Bytef chunk[16384];
        int status = Z_OK;
        while (status == Z_OK) {
            stream.next_out = chunk;
            stream.avail_out = sizeof chunk;
            status = inflate(&stream, Z_NO_FLUSH);
            const size_t produced = sizeof chunk - stream.avail_out;
            if (out.size() + produced > maxLength) {
                if (tooLong)
                    *tooLong = true;
                status = Z_BUF_ERROR;
                break;
            }
            out.append(reinterpret_cast<const char*>(chunk), produced);
            if (status == Z_OK && produced == 0 && stream.avail_in == 0)
                status = Z_BUF_ERROR; // the stream ends before its end mark
        }
        inflateEnd(&stream);
        if (status != Z_STREAM_END) {
            out.clear();
            return false;
        }
        out.resize(out.find('\0') == std::string::npos ? out.size() : out.find('\0'));
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

} // namespace orbisk
