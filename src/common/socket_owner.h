// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sockaddr;

namespace orbisk {

// One end of a TCP connection on this machine. IPv4 addresses are held in
// their IPv6-mapped form, so that a dual-stack socket compares equal.
struct TcpEnd {
    std::array<uint8_t, 16> address{};
    uint16_t port = 0;

    // From a numeric address ("127.0.0.1", "::1"); nullopt for anything else.
    static std::optional<TcpEnd> Parse(const std::string& ip, uint16_t port);
    // From an IPv4 or IPv6 socket address; nullopt for any other family.
    static std::optional<TcpEnd> Of(const sockaddr* address);
    bool IsLoopback() const;
    bool IsUnspecified() const;
    std::string Text() const;
    bool operator==(const TcpEnd&) const = default;
};

// Who owns a local TCP socket, as the kernel lists it in /proc/net/tcp and
// tcp6. A server on the loopback interface is reachable by every account
// of the machine, so its owner is what tells the user's own server from a
// stranger's. `tables` is the text of those files, one after the other.
class SocketOwners {
public:
    explicit SocketOwners(std::string tables) : tables_(std::move(tables)) {}
    // The files of this machine; nullopt when neither can be read.
    static std::optional<SocketOwners> OfThisMachine();

    // The owner of the connected socket whose own end is `local` and whose
    // peer is `remote`.
    std::optional<unsigned> Connected(const TcpEnd& local, const TcpEnd& remote) const;
    // The same, for a peer on `remotePort` of whichever local address.
    std::optional<unsigned> ConnectedToPort(const TcpEnd& local, uint16_t remotePort) const;
    // The owner of a socket listening on `at` (or on its port of every
    // address) that is not `uid`; nullopt when every such listener is uid's.
    std::optional<unsigned> ForeignListener(const TcpEnd& at, unsigned uid) const;
    // Whether any socket listens on `at`, or on its port of every address.
    bool Listening(const TcpEnd& at) const;

private:
    std::string tables_;
};

// Why a loopback server at `host` ("127.0.0.1:8642", "localhost") must not
// be used by this account, or "" when it may: it is another account's, or
// its owner cannot be told. Hosts that are not loopback are always "".
std::string ForeignLoopbackServer(const std::string& host);

// Whether `host` is on the loopback interface and nothing listens there.
bool LoopbackServerAbsent(const std::string& host);

// The text users read when a loopback server is someone else's.
std::string ForeignServerText(const TcpEnd& server, std::optional<unsigned> owner);

} // namespace orbisk
