// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/socket_owner.h"

#include "common/user_text.h"

#include <algorithm>
#include <arpa/inet.h>
#include <charconv>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <pwd.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace orbisk {
namespace {

// A busy machine lists many sockets; more than this is not a table.
constexpr size_t kMaxTableBytes = 64u * 1024 * 1024;
constexpr unsigned kListening = 0x0A;

struct Entry {
    TcpEnd local, remote;
    unsigned state = 0;
    unsigned uid = 0;
};

template <typename Number> bool Hex(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size();
}

// "0100007F:1F90": the kernel prints each 32-bit word of the address as it
// lies in memory, read as a number of this machine's byte order.
bool ParseEnd(std::string_view text, TcpEnd& end) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || !Hex(text.substr(colon + 1), end.port))
        return false;
    const std::string_view address = text.substr(0, colon);
    if (address.size() != 8 && address.size() != 32)
        return false;
    std::array<uint8_t, 16> bytes{};
    for (size_t word = 0; word * 8 < address.size(); ++word) {
        uint32_t value = 0;
        if (!Hex(address.substr(word * 8, 8), value))
            return false;
        std::memcpy(bytes.data() + word * 4, &value, 4);
    }
    if (address.size() == 8) {
        end.address = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
        std::copy_n(bytes.begin(), 4, end.address.begin() + 12);
    } else {
        end.address = bytes;
    }
    return true;
}

// "  1: 0100007F:1F90 00000000:0000 0A ... uid ...": the header and any
// line of another shape give nothing.
std::optional<Entry> ParseLine(const std::string& line) {
    std::istringstream words(line);
    std::string slot, local, remote, state, queues, timer, retransmits, uid;
    if (!(words >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid))
        return std::nullopt;
    Entry entry;
    if (slot.empty() || slot.back() != ':' || !ParseEnd(local, entry.local) ||
        !ParseEnd(remote, entry.remote) || !Hex(state, entry.state))
        return std::nullopt;
    const auto [end, error] = std::from_chars(uid.data(), uid.data() + uid.size(), entry.uid);
    if (error != std::errc() || end != uid.data() + uid.size())
        return std::nullopt;
    return entry;
}

// ::ffff:a.b.c.d, the form an IPv4 address is held in.
bool IsMappedV4(const std::array<uint8_t, 16>& address) {
    return std::all_of(address.begin(), address.begin() + 10, [](uint8_t b) { return b == 0; }) &&
           address[10] == 0xff && address[11] == 0xff;
}

bool ListensOn(const Entry& entry, const TcpEnd& at) {
    return entry.state == kListening && entry.local.port == at.port &&
           (entry.local.address == at.address || entry.local.IsUnspecified());
}

template <typename Visit> void ForEachEntry(const std::string& tables, Visit visit) {
    std::istringstream lines(tables);
    for (std::string line; std::getline(lines, line);)
        if (const auto entry = ParseLine(line))
            visit(*entry);
}

bool ReadTable(const char* path, std::string& into) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::vector<char> buffer(64 * 1024);
    while (file && into.size() < kMaxTableBytes) {
        file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        into.append(buffer.data(), static_cast<size_t>(file.gcount()));
    }
    return true;
}

// The owner of the last socket of the tables that `match` takes.
template <typename Match> std::optional<unsigned> OwnerOf(const std::string& tables, Match match) {
    std::optional<unsigned> owner;
    ForEachEntry(tables, [&](const Entry& entry) {
        if (match(entry))
            owner = entry.uid;
    });
    return owner;
}

// "localhost", "127.0.0.1" or "[::1]", with ":port" or not.
std::vector<TcpEnd> LoopbackEnds(const std::string& host) {
    std::string name = host;
    uint16_t port = 80;
    const size_t colon = host.rfind(':');
    const size_t bracket = host.rfind(']');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        const auto [end, error] =
            std::from_chars(host.data() + colon + 1, host.data() + host.size(), port);
        if (error != std::errc() || end != host.data() + host.size())
            return {};
        name = host.substr(0, colon);
    }
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    std::vector<TcpEnd> ends;
    for (const char* ip : {"127.0.0.1", "::1"})
        if (name == "localhost")
            ends.push_back(*TcpEnd::Parse(ip, port));
    if (const auto literal = TcpEnd::Parse(name, port); literal && literal->IsLoopback())
        ends.push_back(*literal);
    return ends;
}

} // namespace

std::optional<TcpEnd> TcpEnd::Parse(const std::string& ip, uint16_t port) {
    TcpEnd end;
    end.port = port;
    in_addr v4{};
    if (inet_pton(AF_INET, ip.c_str(), &v4) == 1) {
        end.address = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
        std::memcpy(end.address.data() + 12, &v4, 4);
        return end;
    }
    if (inet_pton(AF_INET6, ip.c_str(), end.address.data()) == 1)
        return end;
    return std::nullopt;
}

std::optional<TcpEnd> TcpEnd::Of(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address->sa_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        return Parse(text, ntohs(v4->sin_port));
    }
    if (address->sa_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        return Parse(text, ntohs(v6->sin6_port));
    }
    return std::nullopt;
}

bool TcpEnd::IsLoopback() const {
    static constexpr std::array<uint8_t, 16> kV6Loopback = {0, 0, 0, 0, 0, 0, 0, 0,
                                                            0, 0, 0, 0, 0, 0, 0, 1};
    return address == kV6Loopback || (IsMappedV4(address) && address[12] == 127);
}

bool TcpEnd::IsUnspecified() const {
    const auto zero = [](uint8_t b) { return b == 0; };
    const auto v4 = address.begin() + 12;
    return std::all_of(address.begin(), address.end(), zero) ||
           (IsMappedV4(address) && std::all_of(v4, address.end(), zero));
}

std::string TcpEnd::Text() const {
    char text[INET6_ADDRSTRLEN] = "";
    if (IsMappedV4(address)) {
        inet_ntop(AF_INET, address.data() + 12, text, sizeof text);
        return std::string(text) + ":" + std::to_string(port);
    }
    inet_ntop(AF_INET6, address.data(), text, sizeof text);
    return "[" + std::string(text) + "]:" + std::to_string(port);
}

std::optional<SocketOwners> SocketOwners::OfThisMachine() {
    std::string tables;
    const bool v4 = ReadTable("/proc/net/tcp", tables);
    const bool v6 = ReadTable("/proc/net/tcp6", tables);
    if (!v4 && !v6)
        return std::nullopt;
    return SocketOwners(std::move(tables));
}

std::optional<unsigned> SocketOwners::Connected(const TcpEnd& local, const TcpEnd& remote) const {
    return OwnerOf(tables_, [&](const Entry& entry) {
        return entry.state != kListening && entry.local == local && entry.remote == remote;
    });
}

std::optional<unsigned> SocketOwners::ConnectedToPort(const TcpEnd& local,
                                                      uint16_t remotePort) const {
    return OwnerOf(tables_, [&](const Entry& entry) {
        return entry.state != kListening && entry.local == local && entry.remote.port == remotePort;
    });
}

bool SocketOwners::Listening(const TcpEnd& at) const {
    return OwnerOf(tables_, [&](const Entry& entry) { return ListensOn(entry, at); }).has_value();
}

std::optional<unsigned> SocketOwners::ForeignListener(const TcpEnd& at, unsigned uid) const {
    return OwnerOf(tables_,
                   [&](const Entry& entry) { return ListensOn(entry, at) && entry.uid != uid; });
}

namespace {

// "nobody (uid 65534)", or the uid alone when it names no account.
std::string AccountText(unsigned uid) {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16 * 1024);
    const std::string number = "uid " + std::to_string(uid);
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return number;
    return std::string(found->pw_name) + " (" + number + ")";
}

} // namespace

std::string ForeignServerText(const TcpEnd& server, std::optional<unsigned> owner) {
    const std::string why =
        Tr("MapServer", " Orbisk sends it nothing, since it would see your searches and markers. "
                        "Start your own with \"systemctl --user start orbisk-server\" or "
                        "\"orbisk-server\"; it takes a free port while this one is taken.");
    if (!owner)
        return Arg(Tr("MapServer", "The map server at %1 cannot be told to be yours."),
                   {server.Text()}) +
               why;
    return Arg(Tr("MapServer", "The map server at %1 belongs to another user, %2."),
               {server.Text(), AccountText(*owner)}) +
           why;
}

std::string ForeignLoopbackServer(const std::string& host) {
    const std::vector<TcpEnd> ends = LoopbackEnds(host);
    if (ends.empty())
        return "";
    const auto owners = SocketOwners::OfThisMachine();
    for (const TcpEnd& end : ends) {
        if (!owners)
            return ForeignServerText(end, std::nullopt);
        if (const auto foreign = owners->ForeignListener(end, geteuid()))
            return ForeignServerText(end, foreign);
    }
    return "";
}

bool LoopbackServerAbsent(const std::string& host) {
    const std::vector<TcpEnd> ends = LoopbackEnds(host);
    const auto owners = SocketOwners::OfThisMachine();
    if (ends.empty() || !owners)
        return false;
    return std::none_of(ends.begin(), ends.end(),
                        [&](const TcpEnd& end) { return owners->Listening(end); });
}

} // namespace orbisk
