// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/fixed_strings.h"

#include "common/own_server_address.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace orbisk {

FixedStrings::FixedStrings()
    : entries_{
          "http://127.0.0.1:8642/webpages/Downloads.htm",
          "127.0.0.1:8642",
          "Orbisk (North America Edition)",
          "\\Map.dat",
          "\\Map.xml",
          "\\MarkerSets\\Current.obk",
          "\\MarkerSets\\ForSend.obk",
          "Attached .obk file is a marker set file for Orbisk. After installing Orbisk, you can "
          "double click this file to open it.\n"
          "\n"
          "Orbisk (North America Edition) can be downloaded for free at:\n",
          "default.asp",
          "update/version/",
          "update/path/",
          "definition/version/",
          "definition/path/",
          "map/",
      } {}

const std::string& FixedStrings::At(size_t index) const {
    if (index >= entries_.size())
        throw std::invalid_argument("fixed string index " + std::to_string(index) +
                                    " is past the end of the table");
    return entries_[index];
}

namespace {

// A file or folder name that means nothing but itself on Linux and Windows.
bool IsPlainComponent(const std::string& name) {
    if (name.empty() || name.size() > 64 || name[0] == '.' || name.back() == '.' ||
        name.back() == ' ')
        return false;
    return std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == ' ' || c == '-' || c == '_' || c == '.';
    });
}

// The extension each written file keeps, so a write cannot be aimed at a program.
const char* WrittenExtension(size_t index) {
    switch (index) {
    case FixedStrings::DefinitionFile: return ".dat";
    case FixedStrings::CurrentMarkerSetFile:
    case FixedStrings::SendMarkerSetFile: return ".obk";
    default: return nullptr;
    }
}

} // namespace

bool FixedStrings::IsPlainProgramFileName(const std::string& name, const std::string& extension) {
    if (name.size() < 2 || name[0] != '\\')
        return false;
    const size_t split = name.find('\\', 1);
    const std::string file = split == std::string::npos ? name.substr(1) : name.substr(split + 1);
    if (split != std::string::npos && !IsPlainComponent(name.substr(1, split - 1)))
        return false;
    return IsPlainComponent(file) && file.size() > extension.size() &&
           file.compare(file.size() - extension.size(), extension.size(), extension) == 0;
}

void FixedStrings::ReplaceOrAppend(size_t index, const std::string& text) {
    if (text.empty())
        return;
    const char* extension = WrittenExtension(index);
    if (extension && !IsPlainProgramFileName(text, extension))
        return;
    if (index >= entries_.size())
        entries_.push_back(text);
    else
        entries_[index] = text;
}

std::string MapPageAddress(const FixedStrings& strings) {
    return "http://" + OwnServerHost(strings.At(FixedStrings::ServerHost)) + "/" +
           strings.At(FixedStrings::MapDirectory) + strings.At(FixedStrings::MapPage);
}

} // namespace orbisk
