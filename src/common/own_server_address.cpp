// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/own_server_address.h"

#include "common/atomic_file.h"
#include "common/socket_owner.h"

#include <charconv>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace orbisk {
namespace {

constexpr std::string_view kLoopbackPrefix = "127.0.0.1:";
constexpr size_t kMaxFileBytes = 64;

// The folder is trusted only when it is a real folder of this account that
// no one else may enter; a symbolic link or a stranger's folder is not.
bool PrivateFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

// `published` has passed ParseServerAddress: "127.0.0.1:" and a port.
bool OwnListener(const std::string& published) {
    uint16_t port = 0;
    std::from_chars(published.data() + kLoopbackPrefix.size(), published.data() + published.size(),
                    port);
    const auto at = TcpEnd::Parse("127.0.0.1", port);
    const auto owners = SocketOwners::OfThisMachine();
    return at && owners && owners->Listening(*at) && !owners->ForeignListener(*at, ::geteuid());
}

} // namespace

std::filesystem::path ServerAddressFile() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || runtime[0] != '/')
        return {};
    return std::filesystem::path(runtime) / "orbisk" / "server-address";
}

std::optional<std::string> ParseServerAddress(std::string_view text) {
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    if (!text.starts_with(kLoopbackPrefix))
        return std::nullopt;
    const std::string_view digits = text.substr(kLoopbackPrefix.size());
    unsigned port = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '0' ||
        port > 65535)
        return std::nullopt;
    return std::string(text);
}

std::string OwnServerHost(const std::string& host) {
    const auto file = ServerAddressFile();
    std::string text;
    if (host != kBuiltInServerHost || file.empty() || !PrivateFolder(file.parent_path()) ||
        !ReadWholeFile(file, kMaxFileBytes, text))
        return host;
    const auto published = ParseServerAddress(text);
    return published && OwnListener(*published) ? *published : host;
}

bool PublishServerAddress(const std::string& hostAndPort, std::string& error) {
    const auto file = ServerAddressFile();
    if (file.empty()) {
        error = "XDG_RUNTIME_DIR names no folder to publish the address in";
        return false;
    }
    const auto folder = file.parent_path();
    ::mkdir(folder.c_str(), 0700);
    if (!PrivateFolder(folder)) {
        error = folder.string() + " is not a folder of this account alone";
        return false;
    }
    return WriteFileAtomically(file, hostAndPort + "\n", &error);
}

void WithdrawServerAddress(const std::string& hostAndPort) {
    const auto file = ServerAddressFile();
    std::string text;
    if (!file.empty() && ReadWholeFile(file, kMaxFileBytes, text) && text == hostAndPort + "\n")
        std::filesystem::remove(file);
}

} // namespace orbisk
