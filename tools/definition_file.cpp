// SPDX-License-Identifier: GPL-3.0-or-later
#include "definition_file.h"

#include "common/atomic_file.h"
#include "protocol/parameter_codec.h"
#include "services/service_definitions.h"

namespace orbisk::tool {

bool ReadDefinitionText(const std::string& path, std::string& text, std::string& error) {
    std::string content;
    if (!ReadWholeFile(path, ServiceDefinitions::kMaxFileBytes, content)) {
        error = "cannot read " + path;
        return false;
    }
    const size_t first = content.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && content[first] == '<') {
        text = content;
        return true;
    }
    content.resize(content.find('\0') == std::string::npos ? content.size() : content.find('\0'));
    bool tooLong = false;
    if (!ParameterCodec().Decode(content, text, ParameterCodec::kMaxDecodedLength, &tooLong)) {
        error = tooLong ? path + " decodes to more than " +
                              std::to_string(ParameterCodec::kMaxDecodedLength) +
                              " bytes, more than any definition file holds"
                        : path + " is neither XML nor an encoded definition file";
        return false;
    }
    return true;
}

} // namespace orbisk::tool
