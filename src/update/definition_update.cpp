#include "update/definition_update.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"

namespace orbisk {
namespace {

// The client's own name, and whatever program is running the update.
bool NamesAProgram(const std::string& fileName) {
    if (fileName == "orbisk")
        return true;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return !error && self.filename() == fileName;
}

} // namespace

DefinitionVersionCheck::DefinitionVersionCheck(DefinitionSource source)
    : source_(std::move(source)) {}

bool DefinitionVersionCheck::IsNewer() const {
    std::string answer;
    if (!HttpClient(source_.timeouts)
             .HttpGet(source_.host, source_.basePath + "definition/version/", source_.proxy,
                      answer))
        return false;
    return LeadingNumber(answer) > source_.currentVersion;
}

DefinitionDownloader::DefinitionDownloader(DefinitionSource source, std::string programDirectory,
                                           std::string defaultFileName)
    : source_(std::move(source)), programDirectory_(std::move(programDirectory)),
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
    return !fileName.empty() && fileName[0] != '.' && fileName.find('\\') == std::string::npos &&
           fileName.find('\0') == std::string::npos && !NamesAProgram(fileName);
}

bool DefinitionDownloader::DownloadAll() {
    std::string answer;
    const std::string path =
        source_.basePath + "definition/path/?VER=" + FormatFixed(source_.currentVersion, 2);
    if (!HttpClient(source_.timeouts).HttpGet(source_.host, path, source_.proxy, answer))
        return false;
    const std::vector<std::string> entries = SplitPathList(answer);
    for (size_t k = 0; k < entries.size(); ++k) {
        const std::string fileName = k == 0 ? "" : FileNameOf(entries[k]);
        if (k > 0 && !IsSafeFileName(fileName))
            return false;
        if (!DownloadFile(source_.basePath + entries[k], fileName))
            return false;
    }
    return true;
}

bool DefinitionDownloader::DownloadFile(const std::string& path, const std::string& fileName) {
    std::string answer;
    if (!HttpClient(source_.timeouts).HttpGetFile(source_.host, path, source_.proxy, answer))
        return false;
    if (programDirectory_.empty())
        return false;
    const std::filesystem::path target =
        ProgramFilePath(programDirectory_, fileName.empty() ? defaultFileName_ : "\\" + fileName);
    return WriteFileAtomically(target, answer);
}

bool CheckForNewerProgram(const std::string& newestVersion) {
    return LeadingNumber(newestVersion) > kProgramVersion;
}

} // namespace orbisk
