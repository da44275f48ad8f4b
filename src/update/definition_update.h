// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/http_client.h"
#include "settings/program_files.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orbisk {

// Where the definition update asks: the maker's server, "map/", the proxy
// and the version of the loaded definitions (-1 when none).
struct DefinitionSource {
    std::string host;
    std::string basePath = "map/";
    std::string proxy;
    double currentVersion = -1;
    HttpTimeouts timeouts = HttpTimeouts::StartupUpdate();
    // The whole update ends by then, however many files it lists; none by default.
    std::chrono::steady_clock::time_point deadline{};

    // The time-outs of the next request, its whole time cut to what is left
    // before the deadline; false when nothing is left.
    bool TimeoutsLeft(HttpTimeouts& next) const;
    // The whole file at `path` on the host; nothing when it cannot be had,
    // the reason logged unless `quiet`.
    std::optional<std::string> Fetch(const std::string& path, bool quiet) const;
};

// Asks the server for the newest definition version.
class DefinitionVersionCheck {
public:
    explicit DefinitionVersionCheck(DefinitionSource source);
    // True only when the server answered with a version above the loaded one.
    bool IsNewer() const;

private:
    // The file of `path` staged beside its target; an empty fileName means
    // the definition file. An empty path when it failed.
    std::filesystem::path StageFile(const std::string& path, const std::string& fileName,
                                    std::filesystem::path& target) const;

    DefinitionSource source_;
};

// Downloads the listed definition files into the program directory, or
// beside a read-only one into the user's data directory. The first is the
// definition file itself; later ones keep their own names. Every file is
// staged beside its target, and all are renamed into place only when every
// one arrived whole and the first loads as definitions: an update is applied
// whole or not at all.
class DefinitionDownloader {
public:
    DefinitionDownloader(DefinitionSource source, ProgramFiles files, std::string defaultFileName);

    // False at the first request or file that fails, with nothing written.
    // A refused name fails before anything is asked.
    bool DownloadAll();

    // Staged files of updates whose process is gone (killed mid-way) are
    // removed from the directories the update writes.
    void RemoveStaleStagedFiles() const;

    // The paths of the list answer: trimmed, split at commas, no empty entries.
    static std::vector<std::string> SplitPathList(const std::string& answer);
    // What an entry after the first is written as: the part after its last "/".
    static std::string FileNameOf(const std::string& entry);
    // Only a plain name of a data file (.dat .xml .htm .html .txt .gif) of
    // letters, digits, "-", "_", "." and spaces, not starting with "." and not
    // one of the programs: nothing that leaves the program directory, hides a
    // file or replaces something that runs.
    static bool IsSafeFileName(const std::string& fileName);

private:
    // The file of `path` staged beside its target; an empty fileName means
    // the definition file. An empty path when it failed.
    std::filesystem::path StageFile(const std::string& path, const std::string& fileName,
                                    std::filesystem::path& target) const;

    DefinitionSource source_;
    ProgramFiles files_;
    std::string defaultFileName_;
};

// The newest program's version (the definition file's NewUpdate Ver) is above 1.1.
bool CheckForNewerProgram(const std::string& newestVersion);

} // namespace orbisk
