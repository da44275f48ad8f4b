// SPDX-License-Identifier: GPL-3.0-or-later
#include "codec_commands.h"

#include "protocol/parameter_codec.h"

#include <iostream>
#include <iterator>
#include <string>

namespace orbisk::tool {
namespace {

std::string ReadAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int RunEncode(std::istream& in, std::ostream& out, std::ostream& err) {
    std::string encoded;
    if (!ParameterCodec().Encode(ReadAll(in), encoded)) {
        err << "encode failed\n";
        return 1;
    }
    out << encoded;
    return 0;
}

int RunDecode(std::istream& in, std::ostream& out, std::ostream& err) {
    std::string decoded;
    if (!ParameterCodec().Decode(ReadAll(in), decoded)) {
        err << "decode failed\n";
        return 1;
    }
    out << decoded;
    return 0;
}

} // namespace orbisk::tool
