// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/mail_program.h"

#include "common/atomic_file.h"
#include "common/text.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace orbisk {
namespace {

constexpr size_t kMaxEntryBytes = 256 * 1024;

// The value of `key` in the [Desktop Entry] group, split at ";".
std::vector<std::string> ListValue(const std::string& entryText, const std::string& key) {
    std::istringstream lines(entryText);
    bool inMainGroup = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (!line.empty() && line[0] == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup || line.rfind(key + "=", 0) != 0)
            continue;
        std::vector<std::string> values;
        std::istringstream items(line.substr(key.size() + 1));
        for (std::string item; std::getline(items, item, ';');)
            if (!Trimmed(item).empty())
                values.push_back(Trimmed(item));
        return values;
    }
    return {};
}

bool Contains(const std::vector<std::string>& values, const std::string& wanted) {
    for (const std::string& value : values)
        if (value == wanted)
            return true;
    return false;
}

} // namespace

bool IsMailProgramEntry(const std::string& entryText) {
    const std::vector<std::string> categories = ListValue(entryText, "Categories");
    const std::vector<std::string> types = ListValue(entryText, "MimeType");
    if (Contains(categories, "WebBrowser") || Contains(types, "x-scheme-handler/http"))
        return false;
    return Contains(categories, "Email") || Contains(types, "x-scheme-handler/mailto");
}

bool FindDesktopEntry(const std::string& fileName, std::filesystem::path& entry,
                      std::string& text) {
    if (fileName.empty() || fileName.find('/') != std::string::npos)
        return false;
    std::vector<std::filesystem::path> folders;
    const char* home = std::getenv("HOME");
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        folders.emplace_back(dataHome);
    else if (home && *home)
        folders.push_back(std::filesystem::path(home) / ".local/share");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream dirs(dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty())
            folders.emplace_back(dir);
    for (const std::filesystem::path& folder : folders) {
        entry = folder / "applications" / fileName;
        if (ReadWholeFile(entry, kMaxEntryBytes, text))
            return true;
    }
    return false;
}

bool NamesAMailProgram(const std::string& desktopFileName) {
    std::filesystem::path entry;
    std::string text;
    return FindDesktopEntry(desktopFileName, entry, text) && IsMailProgramEntry(text);
}

} // namespace orbisk
