#pragma once

#include "services/http_client.h"
#include "settings/program_files.h"

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
};

// Asks the server for the newest definition version.
class DefinitionVersionCheck {
public:
    explicit DefinitionVersionCheck(DefinitionSource source);
    // True only when the server answered with a version above the loaded one.
    bool IsNewer() const;

private:
    DefinitionSource source_;
};

// Downloads the listed definition files into the program directory, or
// beside a read-only one into the user's data directory. The first is the
// definition file itself; later ones keep their own names.
// Every file is written beside its target and renamed into place.
class DefinitionDownloader {
public:
    DefinitionDownloader(DefinitionSource source, ProgramFiles files, std::string defaultFileName);

    // False at the first request or file that fails; files written before
    // stay written. A refused name fails before anything is written.
    bool DownloadAll();
    // An empty fileName means the definition file.
    bool DownloadFile(const std::string& path, const std::string& fileName);

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
    DefinitionSource source_;
    ProgramFiles files_;
    std::string defaultFileName_;
};

// The newest program's version (the definition file's NewUpdate Ver) is above 1.1.
bool CheckForNewerProgram(const std::string& newestVersion);

} // namespace orbisk
