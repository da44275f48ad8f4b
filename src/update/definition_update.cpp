#include "update/definition_update.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iostream>
#include <sys/stat.h>

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

bool DefinitionVersionCheck::IsNewer() const {
    std::string answer;
    if (!HttpClient(source_.timeouts)
             .HttpGet(source_.host, source_.basePath + "definition/version/", source_.proxy,
                      answer))
        return false;
    return LeadingNumber(answer) > source_.currentVersion;
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
    std::string answer;
    const std::string path =
        source_.basePath + "definition/path/?VER=" + FormatFixed(source_.currentVersion, 2);
    if (!HttpClient(source_.timeouts).HttpGet(source_.host, path, source_.proxy, answer))
        return false;
    const std::vector<std::string> entries = SplitPathList(answer);
    // Every name is checked before the first file is written, so a refused
    // one leaves the program directory as it was.
    for (size_t k = 1; k < entries.size(); ++k) {
        if (!IsSafeFileName(FileNameOf(entries[k]))) {
            std::cerr << "orbisk: definition update refused the file name \""
                      << FileNameOf(entries[k]) << "\" (only plain names of data files)\n";
            return false;
        }
    }
    for (size_t k = 0; k < entries.size(); ++k)
        if (!DownloadFile(source_.basePath + entries[k], k == 0 ? "" : FileNameOf(entries[k])))
            return false;
    return true;
}

bool DefinitionDownloader::DownloadFile(const std::string& path, const std::string& fileName) {
    std::string answer;
    if (!HttpClient(source_.timeouts).HttpGetFile(source_.host, path, source_.proxy, answer))
        return false;
    if (files_.ProgramDirectory().empty())
        return false;
    const std::filesystem::path target =
        files_.ForWriting(fileName.empty() ? defaultFileName_ : "\\" + fileName);
    if (target.empty())
        return false;
    if (!IsReplaceableData(target)) {
        std::cerr << "orbisk: definition update refused to replace " << target
                  << " (a program, link or special file)\n";
        return false;
    }
    return WriteFileAtomically(target, answer);
}

bool CheckForNewerProgram(const std::string& newestVersion) {
    return LeadingNumber(newestVersion) > kProgramVersion;
}

} // namespace orbisk
