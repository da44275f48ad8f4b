#include "protocol/fixed_strings.h"

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

void FixedStrings::ReplaceOrAppend(size_t index, const std::string& text) {
    if (text.empty())
        return;
    if (index >= entries_.size())
        entries_.push_back(text);
    else
        entries_[index] = text;
}

std::string MapPageAddress(const FixedStrings& strings) {
    return "http://" + strings.At(FixedStrings::ServerHost) + "/" +
           strings.At(FixedStrings::MapDirectory) + strings.At(FixedStrings::MapPage);
}

} // namespace orbisk
