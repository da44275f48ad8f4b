// SPDX-License-Identifier: GPL-3.0-or-later
#include "http_server.h"

#include "common/socket_owner.h"
#include "html_text.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orbisk::server {

using Clock = std::chrono::steady_clock;

struct HttpServer::Exchange {
    Clock::time_point start = Clock::now();
    HttpRequest request;
    const RouteEntry* route = nullptr;
    size_t maxBody = 0;
    int status = 0; // set when the request is refused before its handler runs
    bool answered = false;
    std::shared_ptr<const std::string> shared; // keeps a static answer alive while sent
};

namespace {

MHD_Result Collect(void* target, MHD_ValueKind, const char* key, const char* value) {
    auto& values = *static_cast<std::map<std::string, std::string>*>(target);
    std::string name = key ? key : "";
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    values.emplace(std::move(name), value ? value : "");
    return MHD_YES;
}

MHD_Result CollectParam(void* target, MHD_ValueKind, const char* key, const char* value) {
    static_cast<std::map<std::string, std::string>*>(target)->emplace(key ? key : "",
                                                                      value ? value : "");
    return MHD_YES;
}

// Query values as a form sends them: "+" is a blank as well as "%20".
size_t Unescape(void*, MHD_Connection*, char* text) {
    const std::string decoded = DecodeFormValue(text);
    std::memcpy(text, decoded.data(), decoded.size());
    text[decoded.size()] = '\0';
    return decoded.size();
}

void ReadForm(const std::string& body, std::map<std::string, std::string>& params) {
    for (size_t start = 0; start < body.size();) {
        const size_t end = std::min(body.find('&', start), body.size());
        const std::string piece = body.substr(start, end - start);
        const size_t equals = piece.find('=');
        params.emplace(DecodeFormValue(piece.substr(0, equals)),
                       equals == std::string::npos ? ""
                                                   : DecodeFormValue(piece.substr(equals + 1)));
        start = end + 1;
    }
}

size_t ContentLength(const HttpRequest& request) {
    const std::string value = request.Header("Content-Length");
    if (value.empty())
        return 0;
    char* end = nullptr;
    const unsigned long long length = std::strtoull(value.c_str(), &end, 10);
    return *end ? SIZE_MAX : static_cast<size_t>(length);
}

const char* ReasonFor(int status) {
    switch (status) {
    case MHD_HTTP_NOT_FOUND: return "not found\n";
    case MHD_HTTP_CONTENT_TOO_LARGE: return "request body too large\n";
    default: return "\n";
    }
}

} // namespace

struct HttpCallbacks {
    // A peer on the loopback interface is a program of any account of this
    // machine; only this account's own are served. Peers from the network
    // are a shared server's clients.
    static MHD_Result Admit(void* self, const sockaddr* address, socklen_t) {
        const auto peer = TcpEnd::Of(address);
        if (!peer || !peer->IsLoopback())
            return MHD_YES;
        const auto owners = SocketOwners::OfThisMachine();
        const auto port = static_cast<uint16_t>(static_cast<HttpServer*>(self)->Port());
        const auto owner = owners ? owners->ConnectedToPort(*peer, port) : std::nullopt;
        return owner == geteuid() ? MHD_YES : MHD_NO;
    }

    static MHD_Result Access(void* self, MHD_Connection* connection, const char* url,
                             const char* method, const char*, const char* data, size_t* size,
                             void** context) {
        auto& server = *static_cast<HttpServer*>(self);
        auto* exchange = static_cast<HttpServer::Exchange*>(*context);
        if (!exchange) {
            exchange = server.Begin(connection, url, method);
            *context = exchange;
            // A refusal goes out at once; the body it would have carried is never kept.
            if (exchange->status)
                return server.Answer(connection, *exchange) ? MHD_YES : MHD_NO;
            return MHD_YES;
        }
        if (exchange->answered) {
            *size = 0;
            return MHD_YES;
        }
        if (*size) {
            // A body past its cap without a declared length (chunked) is
            // dropped to its end, within the connection's deadline, and
            // then refused as a declared one is.
            const bool kept = exchange->status || server.Receive(*exchange, data, *size);
            *size = 0;
            return kept || exchange->status ? MHD_YES : MHD_NO;
        }
        return server.Answer(connection, *exchange) ? MHD_YES : MHD_NO;
    }

    static void Completed(void* self, MHD_Connection* connection, void** context,
                          MHD_RequestTerminationCode) {
        static_cast<HttpServer*>(self)->Finish(connection,
                                               static_cast<HttpServer::Exchange*>(*context));
        *context = nullptr;
    }

    static void Notify(void* self, MHD_Connection* connection, void**,
                       MHD_ConnectionNotificationCode code) {
        auto& server = *static_cast<HttpServer*>(self);
        std::lock_guard lock(server.watchMutex_);
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            server.watches_.erase(connection);
            return;
        }
        const auto* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        if (info)
            server.watches_[connection] = {info->connect_fd,
                                           Clock::now() + server.limits_.headerDeadline};
    }
};

HttpServer::HttpServer(HttpLimits limits) : limits_(limits) {}

HttpServer::~HttpServer() {
    Stop();
}

void HttpServer::Route(const std::string& method, const std::string& path, HttpHandler handler,
                       size_t maxBody) {
    routes_[{method, path}] = {std::move(handler), maxBody ? maxBody : limits_.maxBodyBytes};
}

void HttpServer::RoutePrefix(const std::string& prefix, HttpHandler handler) {
    prefixes_.emplace_back(prefix, RouteEntry{std::move(handler), limits_.maxBodyBytes});
}

const HttpServer::RouteEntry* HttpServer::Find(const std::string& method,
                                               const std::string& path) const {
    const std::string asked = method == "HEAD" ? "GET" : method;
    if (const auto found = routes_.find({asked, path}); found != routes_.end())
        return &found->second;
    for (const auto& [prefix, route] : prefixes_)
        if (asked == "GET" && path.size() > prefix.size() && path.rfind(prefix, 0) == 0)
            return &route;
    return nullptr;
}

HttpServer::Exchange* HttpServer::Begin(MHD_Connection* connection, const char* url,
                                        const char* method) {
    auto* exchange = new Exchange;
    HttpRequest& request = exchange->request;
    request.method = method;
    request.path = url;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, Collect, &request.headers);
    MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, CollectParam, &request.params);
    exchange->route = Find(request.method, request.path);
    exchange->maxBody = exchange->route ? exchange->route->maxBody : limits_.maxBodyBytes;
    const size_t declared = ContentLength(request);
    if (!exchange->route)
        exchange->status = MHD_HTTP_NOT_FOUND;
    else if (declared > exchange->maxBody)
        exchange->status = MHD_HTTP_CONTENT_TOO_LARGE;
    // The body may take as long as its cap at the minimum rate, and no longer.
    SetDeadline(connection, std::min(declared ? declared : exchange->maxBody, exchange->maxBody));
    return exchange;
}

// Only what was added to the count is ever taken off it again.
bool HttpServer::Receive(Exchange& exchange, const char* data, size_t size) {
    std::string& body = exchange.request.body;
    if (body.size() + size > exchange.maxBody) {
        buffered_ -= body.size();
        std::string().swap(body);
        exchange.status = MHD_HTTP_CONTENT_TOO_LARGE;
        return false;
    }
    if (buffered_.fetch_add(size) + size > limits_.maxBufferedBodyBytes) {
        buffered_ -= size;
        return false;
    }
    body.append(data, size);
    return true;
}

bool HttpServer::Answer(MHD_Connection* connection, Exchange& exchange) {
    exchange.answered = true;
    HttpResponse response;
    if (exchange.status) {
        response.status = exchange.status;
        response.Reply(ReasonFor(exchange.status), "text/plain");
    } else {
        HttpRequest& request = exchange.request;
        if (request.body.size() <= limits_.maxBodyBytes &&
            request.Header("Content-Type").rfind("application/x-www-form-urlencoded", 0) == 0)
            ReadForm(request.body, request.params);
        exchange.route->handler(request, response);
    }
    exchange.status = response.status;
    exchange.shared = response.shared;
    MHD_Response* answer =
        response.shared
            ? MHD_create_response_from_buffer(
                  response.length, const_cast<char*>(response.shared->data() + response.offset),
                  MHD_RESPMEM_PERSISTENT)
            : MHD_create_response_from_buffer(response.body.size(), response.body.data(),
                                              MHD_RESPMEM_MUST_COPY);
    if (!answer)
        return false;
    if (response.status != MHD_HTTP_NOT_MODIFIED)
        MHD_add_response_header(answer, MHD_HTTP_HEADER_CONTENT_TYPE, response.type.c_str());
    for (const auto& [name, value] : response.headers)
        MHD_add_response_header(answer, name.c_str(), value.c_str());
    SetDeadline(connection, response.Size());
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(response.status), answer);
    MHD_destroy_response(answer);
    return queued == MHD_YES;
}

void HttpServer::Finish(MHD_Connection* connection, Exchange* exchange) {
    if (!exchange)
        return;
    buffered_ -= exchange->request.body.size();
    if (log_) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - exchange->start);
        std::cerr << exchange->request.method << ' ' << exchange->request.path << ' '
                  << exchange->status << ' ' << elapsed.count() << "ms\n";
    }
    delete exchange;
    // The next request on a kept connection gets its own header deadline.
    SetDeadline(connection, 0);
}

void HttpServer::SetDeadline(MHD_Connection* connection, size_t bytes) {
    const auto allowance = std::chrono::milliseconds(bytes * 1000 / limits_.minBytesPerSecond);
    std::lock_guard lock(watchMutex_);
    const auto found = watches_.find(connection);
    if (found != watches_.end())
        found->second.deadline = Clock::now() + limits_.headerDeadline + allowance;
}

// Closing the socket under the lock is safe: the library reports a connection
// closed, which takes the same lock, before it releases the descriptor.
void HttpServer::WatchDeadlines() {
    std::unique_lock state(stateMutex_);
    while (
        !stateChanged_.wait_for(state, std::chrono::milliseconds(100), [&] { return stopping_; })) {
        std::lock_guard lock(watchMutex_);
        const auto now = Clock::now();
        for (auto& [connection, watch] : watches_) {
            if (watch.cut || watch.deadline > now)
                continue;
            ::shutdown(watch.fd, SHUT_RDWR);
            watch.cut = true;
        }
    }
}

bool HttpServer::Bind(const std::string& host, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_PASSIVE;
    addrinfo* found = nullptr;
    const std::string where = host + ":" + std::to_string(port);
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
        error = "cannot resolve " + host;
        return false;
    }
    listener_ = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // Address reuse for quick restarts, but never port sharing: a second
    // server on a taken port must fail, not silently split the requests.
    const int yes = 1;
    const bool bound = listener_ >= 0 &&
                       ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) == 0 &&
                       ::bind(listener_, found->ai_addr, found->ai_addrlen) == 0 &&
                       ::listen(listener_, SOMAXCONN) == 0;
    ipv6_ = found->ai_family == AF_INET6;
    freeaddrinfo(found);
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (!bound || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = "cannot listen on " + where + ": " + std::strerror(errno);
        if (listener_ >= 0)
            ::close(listener_);
        listener_ = -1;
        return false;
    }
    port_ = ntohs(ipv6_ ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                        : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    return true;
}

bool HttpServer::Start(std::string& error) {
    const unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | (ipv6_ ? MHD_USE_IPv6 : 0);
    daemon_ = MHD_start_daemon(flags, 0, &HttpCallbacks::Admit, this, &HttpCallbacks::Access, this,
                               MHD_OPTION_LISTEN_SOCKET, listener_, MHD_OPTION_THREAD_POOL_SIZE,
                               limits_.threads, MHD_OPTION_CONNECTION_LIMIT, limits_.maxConnections,
                               MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits_.connectionMemory,
                               MHD_OPTION_CONNECTION_TIMEOUT,
                               static_cast<unsigned>(limits_.headerDeadline.count() / 1000 + 1),
                               MHD_OPTION_NOTIFY_COMPLETED, &HttpCallbacks::Completed, this,
                               MHD_OPTION_NOTIFY_CONNECTION, &HttpCallbacks::Notify, this,
                               MHD_OPTION_UNESCAPE_CALLBACK, &Unescape, nullptr, MHD_OPTION_END);
    if (!daemon_) {
        error = "cannot start serving on port " + std::to_string(port_);
        return false;
    }
    listener_ = -1; // the daemon owns and closes it now
    watchdog_ = std::thread([this] { WatchDeadlines(); });
    return true;
}

void HttpServer::Wait() {
    std::unique_lock state(stateMutex_);
    stateChanged_.wait(state, [&] { return stopping_; });
}

void HttpServer::Stop() {
    std::lock_guard stopping(stopMutex_);
    {
        std::lock_guard state(stateMutex_);
        stopping_ = true;
    }
    stateChanged_.notify_all();
    if (watchdog_.joinable())
        watchdog_.join();
    if (daemon_)
        MHD_stop_daemon(daemon_);
    daemon_ = nullptr;
    if (listener_ >= 0)
        ::close(listener_);
    listener_ = -1;
}

} // namespace orbisk::server
