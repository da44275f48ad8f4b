// SPDX-License-Identifier: GPL-3.0-or-later
#include "raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace orbisk::test {
namespace {

size_t ContentLength(const std::string& head) {
    for (const char* name : {"Content-Length:", "content-length:"}) {
        const size_t at = head.find(name);
        if (at != std::string::npos)
            return std::stoul(head.substr(at + std::char_traits<char>::length(name)));
    }
    return 0;
}

} // namespace

std::string ClosedLoopbackHost() {
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

RawHttpServer::RawHttpServer(std::string response) : response_(std::move(response)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

RawHttpServer::~RawHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
    for (int connection : openConnections_)
        ::close(connection);
}

std::vector<std::string> RawHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t RawHttpServer::SilentConnections() const {
    std::lock_guard lock(mutex_);
    return openConnections_.size();
}

void RawHttpServer::Serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0)
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        if (response_.empty()) {
            std::lock_guard lock(mutex_);
            openConnections_.push_back(connection);
            continue;
        }
        Answer(connection);
        ::close(connection);
    }
}

void RawHttpServer::Answer(int connection) {
    std::string request;
    char buffer[65536];
    size_t wanted = std::string::npos;
    while (request.size() < wanted) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<size_t>(got));
        const size_t headEnd = request.find("\r\n\r\n");
        if (wanted == std::string::npos && headEnd != std::string::npos)
            wanted = headEnd + 4 + ContentLength(request.substr(0, headEnd));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    ::send(connection, response_.data(), response_.size(), MSG_NOSIGNAL);
}

} // namespace orbisk::test
