#include "markers/marker_set_file.h"

#include "common/atomic_file.h"
#include "xml/xml_error.h"

namespace orbisk {

bool MarkerSetFile::WriteFile(const MarkerSet& set, const std::filesystem::path& path) const {
    std::string text;
    try {
        text = set.ToXml();
    } catch (const XmlError&) {
        return false;
    }
    return WriteFileAtomically(path, text);
}

bool MarkerSetFile::ReadFile(MarkerSet& set, const std::filesystem::path& path) const {
    std::string content;
    if (!ReadWholeFile(path, kMaxFileBytes, content))
        return false;
    return set.FromXml(content.substr(0, content.find('\0')));
}

} // namespace orbisk
