// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orbisk {

// The ordered table of built-in strings: server host, paths on it, the
// program's own file names and the product title. Callers address entries by
// index; the definition file may replace or append entries.
class FixedStrings {
public:
    enum Index : size_t {
        DownloadPage = 0,
        ServerHost = 1,
        ProductTitle = 2,
        DefinitionFile = 3,
        DefinitionXmlFile = 4,
        CurrentMarkerSetFile = 5,
        SendMarkerSetFile = 6,
        AttachmentNote = 7,
        MapPage = 8,
        ProgramVersionPath = 9,
        ProgramPathPath = 10,
        DefinitionVersionPath = 11,
        DefinitionPathPath = 12,
        MapDirectory = 13,
    };
    static constexpr size_t kBuiltInCount = 14;

    FixedStrings();

    // Throws std::invalid_argument for an index at or past the end.
    const std::string& At(size_t index) const;
    size_t Count() const { return entries_.size(); }

    // A non-empty text replaces entry `index`, or is appended when `index` is
    // at or past the end; an empty text changes nothing. The names of files
    // the program writes (entries 3, 5 and 6) are replaced only by a plain
    // relative name of their own shape, "\\Name.ext" or "\\Folder\\Name.ext",
    // so that no downloaded definition can aim a write outside the program's
    // directory.
    void ReplaceOrAppend(size_t index, const std::string& text);
    static bool IsPlainProgramFileName(const std::string& name, const std::string& extension);

private:
    std::vector<std::string> entries_;
};

// "http://" + host + "/" + "map/" + "default.asp", built from the table.
std::string MapPageAddress(const FixedStrings& strings);

} // namespace orbisk
