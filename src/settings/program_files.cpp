// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_files.h"

#include "settings/program_environment.h"

#include <cstdlib>
#include <unistd.h>

namespace orbisk {

ProgramFiles::ProgramFiles(std::string programDirectory)
    : ProgramFiles(programDirectory, UserDataDirectory(),
                   !programDirectory.empty() && access(programDirectory.c_str(), W_OK) == 0) {}

ProgramFiles::ProgramFiles(std::string programDirectory, std::filesystem::path userDirectory,
                           bool programDirectoryWritable)
    : programDirectory_(std::move(programDirectory)), userDirectory_(std::move(userDirectory)),
      writable_(programDirectoryWritable) {}

std::filesystem::path ProgramFiles::UserDataDirectory() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return std::filesystem::path(dataHome) / "orbisk";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::filesystem::path(home) / ".local" / "share" / "orbisk";
    return {};
}

// The names come from the definitions, which an update can replace: none may
// lead out of the user's directory.
std::filesystem::path ProgramFiles::InUserDirectory(const std::string& name) const {
    if (userDirectory_.empty())
        return {};
    const std::filesystem::path path = ProgramFilePath("", name).relative_path();
    for (const auto& part : path)
        if (part == "..")
            return {};
    return path.empty() ? std::filesystem::path() : userDirectory_ / path;
}

std::filesystem::path ProgramFiles::ForReading(const std::string& name) const {
    const std::filesystem::path installed = ProgramFilePath(programDirectory_, name);
    if (writable_)
        return installed;
    const std::filesystem::path own = InUserDirectory(name);
    std::error_code error;
    return !own.empty() && std::filesystem::exists(own, error) ? own : installed;
}

std::filesystem::path ProgramFiles::ForWriting(const std::string& name) const {
    if (writable_)
        return ProgramFilePath(programDirectory_, name);
    const std::filesystem::path own = InUserDirectory(name);
    if (own.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(own.parent_path(), error);
    return own;
}

} // namespace orbisk
