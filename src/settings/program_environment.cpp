// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_environment.h"

#include "common/text.h"
#include "settings/registry_key.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <netdb.h>
#include <unistd.h>

namespace orbisk {
namespace {

constexpr const char* kInternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string ShortHostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string CanonicalHostName(const std::string& shortName) {
    if (shortName.empty())
        return {};
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (getaddrinfo(shortName.c_str(), nullptr, &hints, &found) != 0 || !found)
        return {};
    std::string canonical = found->ai_canonname ? found->ai_canonname : "";
    freeaddrinfo(found);
    return canonical;
}

} // namespace

std::string DiscoverProgramDirectory() {
    if (const char* overridden = std::getenv(kProgramDirVariable); overridden && *overridden) {
        std::string directory = overridden;
        while (directory.size() > 1 && directory.back() == '/')
            directory.pop_back();
        return directory;
    }
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    // On Linux "\\" is an ordinary file name character, so only "/" separates.
    return ProgramDirectoryOf(program).string();
}

std::filesystem::path ProgramDirectoryOf(const std::filesystem::path& executable) {
    const std::filesystem::path own = executable.parent_path();
    const std::filesystem::path installed = own.parent_path() / "share" / "orbisk";
    std::error_code error;
    if (!std::filesystem::exists(own / "Map.dat", error) &&
        std::filesystem::exists(installed / "Map.dat", error))
        return installed;
    return own;
}

std::string ChooseComputerName(const std::string& canonicalName, const std::string& shortName) {
    if (canonicalName.find('.') != std::string::npos && canonicalName.find("localhost") != 0)
        return canonicalName;
    return shortName;
}

std::string DiscoverComputerName() {
    const std::string shortName = ShortHostName();
    return ChooseComputerName(CanonicalHostName(shortName), shortName);
}

std::string ProxyFromServerList(const std::string& serverList) {
    const std::string upper = Upper(serverList);
    const size_t http = upper.find("HTTP=");
    if (http == std::string::npos)
        return upper;
    const std::string rest = upper.substr(http + 5);
    return rest.substr(0, rest.find(';'));
}

std::string ProxyFromStore(const std::filesystem::path& storeFile) {
    RegistryKey key(storeFile);
    if (!key.Open(RegistryRoot::CurrentUser, kInternetSettingsKey))
        return {};
    uint32_t enabled = 0;
    key.ReadDword("ProxyEnable", enabled);
    if (enabled != 1)
        return {};
    std::string serverList;
    if (!key.ReadString("ProxyServer", serverList) || serverList.empty())
        return {};
    return ProxyFromServerList(serverList);
}

ProgramEnvironment DiscoverEnvironment(const std::filesystem::path& storeFile) {
    ProgramEnvironment environment;
    environment.programDirectory = DiscoverProgramDirectory();
    environment.files = ProgramFiles(environment.programDirectory);
    environment.computerName = DiscoverComputerName();
    if (!QueryUserProxy(environment.proxyServer))
        environment.proxyServer = ProxyFromStore(storeFile);
    return environment;
}

std::filesystem::path ProgramFilePath(const std::string& programDirectory,
                                      const std::string& name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return std::filesystem::path(programDirectory + relative);
}

bool QueryUserProxy(std::string& proxy) {
    for (const char* name : {"http_proxy", "HTTP_PROXY"}) {
        if (const char* value = std::getenv(name)) {
            proxy = value;
            return true;
        }
    }
    return false;
}

} // namespace orbisk
