// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arpa/inet.h>
#include <csignal>
#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbisk::test {

// A server on 127.0.0.1 owned by another account (nobody), as another user
// of the machine would run one: it answers every connection with a short
// HTTP page and counts the bytes it was sent. Only root can make one.
class ForeignListener {
public:
    static constexpr uid_t kNobody = 65534;

    ForeignListener() {
        if (geteuid() != 0 || pipe(portPipe_) != 0 || pipe(countPipe_) != 0)
            return;
        child_ = fork();
        if (child_ == 0)
            Serve();
        close(portPipe_[1]);
        close(countPipe_[1]);
        uint16_t port = 0;
        if (read(portPipe_[0], &port, sizeof port) == sizeof port)
            port_ = port;
    }
    ~ForeignListener() { BytesReceived(); }
    ForeignListener(const ForeignListener&) = delete;
    ForeignListener& operator=(const ForeignListener&) = delete;

    bool Running() const { return port_ != 0; }
    uint16_t Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

    // Stops the server; what every connection sent it, all told.
    long BytesReceived() {
        if (child_ <= 0)
            return total_;
        kill(child_, SIGTERM);
        long total = 0;
        if (read(countPipe_[0], &total, sizeof total) == sizeof total)
            total_ = total;
        waitpid(child_, nullptr, 0);
        child_ = -1;
        return total_;
    }

private:
    static void OnTerm(int) {}

    [[noreturn]] void Serve() {
        close(portPipe_[0]);
        close(countPipe_[0]);
        struct sigaction stop {};
        stop.sa_handler = OnTerm;
        sigaction(SIGTERM, &stop, nullptr);
        // The socket belongs to whoever creates it.
        if (setuid(kNobody) != 0)
            _exit(1);
        const int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener, 8) != 0 ||
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            _exit(1);
        const uint16_t port = ntohs(address.sin_port);
        (void)!write(portPipe_[1], &port, sizeof port);
        long total = 0;
        static const char kPage[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nstole";
        for (;;) {
            const int connection = accept(listener, nullptr, nullptr);
            if (connection < 0)
                break;
            char buffer[4096];
            const ssize_t got = read(connection, buffer, sizeof buffer);
            total += got > 0 ? got : 0;
            (void)!write(connection, kPage, sizeof kPage - 1);
            close(connection);
        }
        (void)!write(countPipe_[1], &total, sizeof total);
        _exit(0);
    }

    int portPipe_[2] = {-1, -1};
    int countPipe_[2] = {-1, -1};
    pid_t child_ = -1;
    uint16_t port_ = 0;
    long total_ = 0;
};

// What a program of another account (nobody) is answered when it sends
// `request` to 127.0.0.1:port; nullopt when it cannot be run (not root).
inline std::optional<std::string> AskAsAnotherAccount(uint16_t port, const std::string& request) {
    int answer[2];
    if (geteuid() != 0 || pipe(answer) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(answer[0]);
        const int connection =
            setuid(ForeignListener::kNobody) == 0 ? socket(AF_INET, SOCK_STREAM, 0) : -1;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (connection < 0 ||
            connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            _exit(1);
        (void)!write(connection, request.data(), request.size());
        char buffer[4096];
        for (ssize_t got; (got = read(connection, buffer, sizeof buffer)) > 0;)
            (void)!write(answer[1], buffer, static_cast<size_t>(got));
        _exit(0);
    }
    close(answer[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(answer[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(got));
    close(answer[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}

} // namespace orbisk::test
