#include "protocol/parameter_codec.h"

#include <new>
#include <vector>
#include <zlib.h>

namespace orbisk {

bool ParameterCodec::Encode(const std::string& in, std::string& out) const {
    out.clear();
    try {
        std::vector<Bytef> compressed(in.size() * 2);
        uLongf length = compressed.size();
        if (compressed.empty() ||
            compress(compressed.data(), &length, reinterpret_cast<const Bytef*>(in.data()),
                     in.size()) != Z_OK)
            return false;
        out.resize(length * 2);
        for (uLongf i = 0; i < length; ++i) {
            out[2 * i] = static_cast<char>(0x40 | (compressed[i] & 0x0F));
            out[2 * i + 1] = static_cast<char>(0x40 | (compressed[i] >> 4));
        }
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

bool ParameterCodec::Decode(const std::string& in, std::string& out) const {
    out.clear();
    try {
        const size_t n = in.size() / 2;
        std::vector<Bytef> packed(n);
        for (size_t i = 0; i < n; ++i) {
            const auto low = static_cast<unsigned char>(in[2 * i]) & 0x0F;
            const auto high = static_cast<unsigned char>(in[2 * i + 1]) & 0x0F;
            packed[i] = static_cast<Bytef>((high << 4) | low);
        }
        std::vector<Bytef> plain(kMaxDecodedLength + 1, 0);
        uLongf length = kMaxDecodedLength;
        if (n == 0 || uncompress(plain.data(), &length, packed.data(), n) != Z_OK)
            return false;
        plain[length] = 0;
        out.assign(reinterpret_cast<const char*>(plain.data()));
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

} // namespace orbisk
