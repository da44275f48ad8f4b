// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "http_exchange.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>

struct MHD_Connection;
struct MHD_Daemon;

namespace orbisk::server {

// What one client may cost the server. Anything past them is cut off, so that
// neither slow nor huge requests can take the server from everybody else.
struct HttpLimits {
    size_t maxBodyBytes = 64u * 1024;                // routes without their own cap
    size_t maxBufferedBodyBytes = 64u * 1024 * 1024; // all bodies being received at once
    size_t connectionMemory = 32u * 1024;            // request line and headers
    unsigned maxConnections = 1000;
    std::chrono::milliseconds headerDeadline{5000}; // from connecting, or the last answer
    size_t minBytesPerSecond = 64u * 1024;          // what a body or answer may take longer
    unsigned threads = 4;
};

// An HTTP/1.1 server on libmicrohttpd's event loop: a few threads serve every
// connection, a slow one costs a socket, not a thread, and a watchdog closes
// any connection that overruns its deadline.
class HttpServer {
public:
    explicit HttpServer(HttpLimits limits = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Exact paths; HEAD is answered by the GET route. `maxBody` 0 means the default cap.
    void Route(const std::string& method, const std::string& path, HttpHandler handler,
               size_t maxBody = 0);
    // Every GET below `prefix`.
    void RoutePrefix(const std::string& prefix, HttpHandler handler);
    void SetLogging(bool log) { log_ = log; }

    // Takes the address, so its port is known before serving; port 0 picks a
    // free one. False with `error` when it is taken or not available.
    bool Bind(const std::string& host, int port, std::string& error);
    // Serves on the bound address; every route must be set by then.
    bool Start(std::string& error);
    int Port() const { return port_; }
    // Blocks until Stop.
    void Wait();
    // Ends every connection and stops; safe from any thread, and twice.
    void Stop();

private:
    struct RouteEntry {
        HttpHandler handler;
        size_t maxBody = 0;
    };
    struct Exchange;
    struct Watch {
        int fd = -1;
        std::chrono::steady_clock::time_point deadline;
        bool cut = false;
    };

    // The library's callbacks, which hand over to the members below.
    friend struct HttpCallbacks;

    Exchange* Begin(MHD_Connection* connection, const char* url, const char* method);
    bool Receive(Exchange& exchange, const char* data, size_t size);
    bool Answer(MHD_Connection* connection, Exchange& exchange);
    void Finish(MHD_Connection* connection, Exchange* exchange);
    const RouteEntry* Find(const std::string& method, const std::string& path) const;
    void SetDeadline(MHD_Connection* connection, size_t bytes);
    void WatchDeadlines();

    HttpLimits limits_;
    std::map<std::pair<std::string, std::string>, RouteEntry> routes_;
    std::vector<std::pair<std::string, RouteEntry>> prefixes_;
    bool log_ = false;
    int port_ = 0;
    int listener_ = -1;
    bool ipv6_ = false;
    MHD_Daemon* daemon_ = nullptr;
    std::atomic<size_t> buffered_{0};

    std::mutex watchMutex_;
    std::map<MHD_Connection*, Watch> watches_;

    std::mutex stopMutex_;
    std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    bool stopping_ = false;
    std::thread watchdog_;
};

} // namespace orbisk::server
