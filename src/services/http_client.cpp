// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/http_client.h"

#include "common/own_server_address.h"
#include "common/socket_owner.h"
#include "common/user_text.h"

#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace orbisk {
namespace {

constexpr const char* kUserAgent = "WinHTTP Example/1.0";

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Definition files name the hosts, so a host must not be able to smuggle a
// user, a path or a second URL into the address.
bool IsPlainHost(const std::string& host) {
    if (host.empty())
        return false;
    for (unsigned char c : host) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' || c == ':' ||
                        c == '[' || c == ']';
        if (!ok)
            return false;
    }
    return true;
}

bool MustEscapeInPath(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || std::strchr("\"#<>\\^`{|}", c) != nullptr;
}

// The path goes out as given, only characters that may not stand in a URL
// escaped, so the path's own percent escapes and query arrive unchanged.
std::string RequestTarget(const std::string& path) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string target = (path.empty() || path[0] != '/') ? "/" : "";
    for (unsigned char c : path) {
        if (MustEscapeInPath(c)) {
            target += '%';
            target += kHex[c >> 4];
            target += kHex[c & 0x0F];
        } else {
            target += static_cast<char>(c);
        }
    }
    return target;
}

struct Transfer {
    std::string answer;
    bool keepNulBytes = false;
    bool capped = false;
};

// Of each received chunk only the bytes before its first NUL are kept.
size_t OnData(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    const size_t kept = transfer.keepNulBytes ? length : strnlen(data, length);
    if (transfer.answer.size() + kept > HttpClient::kMaxAnswerBytes) {
        transfer.answer.append(data, HttpClient::kMaxAnswerBytes - transfer.answer.size());
        transfer.capped = true;
        return 0;
    }
    transfer.answer.append(data, kept);
    return length;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

curl_slist* AppendHeader(curl_slist* list, const char* header) {
    curl_slist* extended = curl_slist_append(list, header);
    if (!extended)
        curl_slist_free_all(list);
    return extended;
}

// No accept types, no expectation handshake, and caches bypassed on the way.
curl_slist* RequestHeaders(bool post) {
    curl_slist* list = AppendHeader(nullptr, "Accept:");
    if (list)
        list = AppendHeader(list, "Pragma: no-cache");
    if (list)
        list = AppendHeader(list, "Cache-Control: no-cache");
    if (list && post)
        list = AppendHeader(list, "Content-Type: application/x-www-form-urlencoded");
    if (list && post)
        list = AppendHeader(list, "Expect:");
    return list;
}

// Once connected and before a byte is sent: a server on the loopback
// interface must be this account's own. Another account's server there would
// see every lookup, so the exchange ends unless the kernel names us its owner.
int OnConnected(void*, char* serverIp, char* clientIp, int serverPort, int clientPort) {
    const auto server = TcpEnd::Parse(serverIp, static_cast<uint16_t>(serverPort));
    const auto client = TcpEnd::Parse(clientIp, static_cast<uint16_t>(clientPort));
    if (!server || !server->IsLoopback())
        return CURL_PREREQFUNC_OK;
    const auto owners = SocketOwners::OfThisMachine();
    const auto owner = owners && client ? owners->Connected(*server, *client) : std::nullopt;
    return owner == geteuid() ? CURL_PREREQFUNC_OK : CURL_PREREQFUNC_ABORT;
}

// curl's detailed words when it has them, and for a refused loopback
// server, whose it is.
std::string FailureText(CURLcode result, const char* detail, const std::string& server) {
    if (result == CURLE_ABORTED_BY_CALLBACK)
        if (const std::string foreign = ForeignLoopbackServer(server); !foreign.empty())
            return foreign;
    if (result == CURLE_WRITE_ERROR)
        return Arg(Tr("Http", "the answer is larger than %1 MiB"),
                   {std::to_string(HttpClient::kMaxAnswerBytes >> 20)});
    return *detail ? detail : curl_easy_strerror(result);
}

void ApplyTimeouts(CURL* curl, const HttpTimeouts& timeouts) {
    if (timeouts.connectMs > 0)
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMs);
    if (timeouts.totalMs > 0)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeouts.totalMs);
    if (timeouts.idleMs > 0) {
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, (timeouts.idleMs + 999) / 1000);
    }
}

} // namespace

HttpClient::HttpClient(HttpTimeouts timeouts) : timeouts_(timeouts) {}

HttpAnswer HttpClient::Get(const std::string& host, const std::string& path,
                           const std::string& proxy) const {
    return Exchange(host, path, nullptr, proxy, false);
}

HttpAnswer HttpClient::GetFile(const std::string& host, const std::string& path,
                               const std::string& proxy) const {
    return Exchange(host, path, nullptr, proxy, true);
}

HttpAnswer HttpClient::Post(const std::string& host, const std::string& path,
                            const std::string& body, const std::string& proxy) const {
    return Exchange(host, path, &body, proxy, false);
}

// A file must arrive whole and with a 2xx status; a service's answer is
// whatever arrived, up to the cap.
HttpAnswer HttpClient::Exchange(const std::string& host, const std::string& path,
                                const std::string* body, const std::string& proxy,
                                bool file) const {
    const std::string server = OwnServerHost(host);
    if (!IsPlainHost(server))
        return std::unexpected(HttpError{Arg(Tr("Http", "\"%1\" is not a host name"), {host})});
    InitialiseCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(RequestHeaders(body != nullptr));
    if (!curl || !headers)
        return std::unexpected(HttpError{Tr("Http", "the HTTP library could not start")});

    const std::string url = "http://" + server + RequestTarget(path);
    Transfer transfer;
    transfer.keepNulBytes = file;
    char detail[CURL_ERROR_SIZE] = {};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnData);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, OnConnected);
    if (!proxy.empty())
        curl_easy_setopt(handle, CURLOPT_PROXY, proxy.c_str());
    if (body) {
        curl_easy_setopt(handle, CURLOPT_POST, 1L);
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(body->size()));
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body->data());
    } else {
        curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    }
    ApplyTimeouts(handle, timeouts_);

    const CURLcode result = curl_easy_perform(handle);
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (result == CURLE_OK && file && (status < 200 || status > 299))
        return std::unexpected(HttpError{
            Arg(Tr("Http", "the server answered HTTP %1"), {std::to_string(status)}), status});
    if (result == CURLE_OK || (!file && result == CURLE_WRITE_ERROR && transfer.capped))
        return std::move(transfer.answer);
    return std::unexpected(HttpError{FailureText(result, detail, server), status});
}

} // namespace orbisk
