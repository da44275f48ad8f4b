#include "definition_file.h"

#include "protocol/parameter_codec.h"

#include <fstream>
#include <iterator>

namespace orbisk::tool {

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool ReadDefinitionText(const std::string& path, std::string& text, std::string& error) {
    std::string content;
    if (!ReadWholeFile(path, content)) {
        error = "cannot read " + path;
        return false;
    }
    const size_t first = content.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && content[first] == '<') {
        text = content;
        return true;
    }
    content.resize(content.find('\0') == std::string::npos ? content.size() : content.find('\0'));
    if (!ParameterCodec().Decode(content, text)) {
        error = path + " is neither XML nor an encoded definition file";
        return false;
    }
    return true;
}

} // namespace orbisk::tool
