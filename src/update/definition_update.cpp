// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/definition_update.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace orbisk {
namespace {

// The kinds of data an update carries: definitions, pages, texts and the
// images the download list names. Nothing that could run.
constexpr const char* kDataExtensions[] = {".DAT", ".XML", ".HTM", ".HTML", ".TXT", ".GIF"};

bool HasDataExtension(const std::string& fileName) {
    const std::string extension = Upper(std::filesystem::path(fileName).extension().string());
    for (const char* allowed : kDataExtensions)
        if (extension == allowed)
            return true;
    return false;
}

// The programs beside the definitions, and whatever program runs the update.
bool NamesAProgram(const std::string& fileName) {
    for (const char* program : {"orbisk", "orbisk-tool", "orbisk-server"})
        if (Upper(fileName) == Upper(program))
            return true;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return !error && self.filename() == fileName;
}

// Nothing there yet, or a plain data file: never something that runs, a
// link that leads elsewhere, or a directory or device.
bool IsReplaceableData(const std::filesystem::path& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0;
}

} // namespace

DefinitionVersionCheck::DefinitionVersionCheck(DefinitionSource source)
    : source_(std::move(source)) {}

bool DefinitionSource::TimeoutsLeft(HttpTimeouts& next) const {
    next = timeouts;
    if (deadline == std::chrono::steady_clock::time_point{})
        return true;
    const long left = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            deadline - std::chrono::steady_clock::now())
                                            .count());
    if (left <= 0)
        return false;
    next.totalMs = next.totalMs > 0 ? std::min(next.totalMs, left) : left;
    next.connectMs = next.connectMs > 0 ? std::min(next.connectMs, left) : left;
    return true;
}

// A file of the update within what is left of its time; a failure after
// the version check said there is one is told in the log.
std::optional<std::string> DefinitionSource::Fetch(const std::string& path, bool quiet) const {
    HttpTimeouts timeouts;
    if (!TimeoutsLeft(timeouts))
        return std::nullopt;
    HttpAnswer answer = HttpClient(timeouts).GetFile(host, path, proxy);
    if (answer)
        return std::move(*answer);
    if (!quiet)
        std::cerr << "orbisk: definition update could not fetch " << path << ": "
                  << answer.error().reason << "\n";
    return std::nullopt;
}

// Offline, there is no newer version, and nothing to say about it.
bool DefinitionVersionCheck::IsNewer() const {
    const auto answer = source_.Fetch(source_.basePath + "definition/version/", true);
    return answer && LeadingNumber(*answer) > source_.currentVersion;
}

DefinitionDownloader::DefinitionDownloader(DefinitionSource source, ProgramFiles files,
                                           std::string defaultFileName)
    : source_(std::move(source)), files_(std::move(files)),
      defaultFileName_(std::move(defaultFileName)) {}

std::vector<std::string> DefinitionDownloader::SplitPathList(const std::string& answer) {
    std::vector<std::string> entries;
    const std::string list = Trimmed(answer);
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start)
            entries.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return entries;
}

std::string DefinitionDownloader::FileNameOf(const std::string& entry) {
    const size_t slash = entry.rfind('/');
    return slash == std::string::npos ? entry : entry.substr(slash + 1);
}

bool DefinitionDownloader::IsSafeFileName(const std::string& fileName) {
    const bool plainCharacters = std::all_of(fileName.begin(), fileName.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == ' ';
    });
    // No separator, drive letter, control character or leading dot can get
    // through, so the name stays one entry of the program directory.
    return plainCharacters && !fileName.empty() && fileName.size() <= 128 && fileName[0] != '.' &&
           fileName.back() != '.' && fileName.back() != ' ' && HasDataExtension(fileName) &&
           !NamesAProgram(fileName);
}

bool DefinitionDownloader::DownloadAll() {
    const std::string path =
        source_.basePath + "definition/path/?VER=" + FormatFixed(source_.currentVersion, 2);
    const auto answer = source_.Fetch(path, false);
    if (!answer)
        return false;
    const std::vector<std::string> entries = SplitPathList(*answer);
    // Every name is checked before the first file is asked for.
    for (size_t k = 1; k < entries.size(); ++k) {
        if (!IsSafeFileName(FileNameOf(entries[k]))) {
            std::cerr << "orbisk: definition update refused the file name \""
                      << FileNameOf(entries[k]) << "\" (only plain names of data files)\n";
            return false;
        }
    }
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged; // file, target
    const auto discard = [&staged] {
        for (const auto& [file, target] : staged)
            ::unlink(file.c_str());
        return false;
    };
    for (size_t k = 0; k < entries.size(); ++k) {
        std::filesystem::path target;
        const std::filesystem::path file =
            StageFile(source_.basePath + entries[k], k == 0 ? "" : FileNameOf(entries[k]), target);
        if (file.empty())
            return discard();
        staged.emplace_back(file, target);
    }
    for (const auto& [file, target] : staged)
        if (::rename(file.c_str(), target.c_str()) != 0)
            return discard();
    return true;
}

namespace {

// Staged names carry the process that wrote them, so a later start can tell
// a dead update's leftovers from a running one's.
std::string StageTag() {
    return ".update-" + std::to_string(::getpid()) + "-";
}

// ".NAME.update-PID-XXXXXX" of a process that no longer runs.
bool IsStaleStagedName(const std::string& name) {
    const size_t tag = name.rfind(".update-");
    if (name.empty() || name[0] != '.' || tag == std::string::npos)
        return false;
    const size_t dash = name.find('-', tag + 8);
    if (dash == std::string::npos || dash == tag + 8 || name.size() != dash + 7)
        return false;
    const std::string digits = name.substr(tag + 8, dash - tag - 8);
    if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    const long pid = std::strtol(digits.c_str(), nullptr, 10);
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

void DefinitionDownloader::RemoveStaleStagedFiles() const {
    if (files_.ProgramDirectory().empty())
        return;
    const std::filesystem::path directory = files_.ForWriting(defaultFileName_).parent_path();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error))
        if (IsStaleStagedName(entry.path().filename().string()) && entry.is_regular_file(error) &&
            !entry.is_symlink(error))
            std::filesystem::remove(entry.path(), error);
}

std::filesystem::path DefinitionDownloader::StageFile(const std::string& path,
                                                      const std::string& fileName,
                                                      std::filesystem::path& target) const {
    const auto fetched = source_.Fetch(path, false);
    if (!fetched)
        return {};
    const std::string& answer = *fetched;
    if (files_.ProgramDirectory().empty())
        return {};
    target = files_.ForWriting(fileName.empty() ? defaultFileName_ : "\\" + fileName);
    if (target.empty())
        return {};
    if (!IsReplaceableData(target)) {
        std::cerr << "orbisk: definition update refused to replace " << target
                  << " (a program, link or special file)\n";
        return {};
    }
    // An error page or a damaged file would stop every later start.
    ServiceDefinitions probe;
    if (fileName.empty() && (!probe.LoadDefinitionContent(answer) || probe.definitionVersion < 0)) {
        std::cerr << "orbisk: definition update refused " << path << " (not a definition file)\n";
        return {};
    }
    return WriteFileBeside(target, answer, StageTag());
}

bool CheckForNewerProgram(const std::string& newestVersion) {
    return LeadingNumber(newestVersion) > kProgramVersion;
}

} // namespace orbisk
