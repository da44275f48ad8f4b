// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <expected>
#include <string>

namespace orbisk {

// How long one exchange may take. Zero means no limit of that kind.
struct HttpTimeouts {
    long connectMs = 0;
    // The exchange fails when no byte arrives for this long.
    long idleMs = 0;
    long totalMs = 0;

    // Service calls during jobs: a dead service never holds a job for long.
    // A service that trickles its answer is cut at the whole-request limit.
    static HttpTimeouts ServiceCall() { return {10'000, 30'000, 45'000}; }
    // The definition update at start-up: a dead server never holds start-up.
    static HttpTimeouts StartupUpdate() { return {3'000, 0, 10'000}; }
};

// Why an exchange gave no answer, in words for the user: curl's own for a
// connection or transfer that failed, or the status of a file download that
// was not 2xx.
struct HttpError {
    std::string reason;
    long status = 0; // the HTTP status, when the server answered
};

// The answer's body, or why there is none.
using HttpAnswer = std::expected<std::string, HttpError>;

// One synchronous plain-HTTP exchange per call, on the calling thread. The
// host is a bare name with an optional ":port" (80 when none). A service's
// status is never examined: an error page is a successful call whose answer
// is that page; only file downloads ask for a 2xx answer. Nothing is kept
// between calls.
class HttpClient {
public:
    // Answers longer than this stop being read; what was read is kept.
    static constexpr size_t kMaxAnswerBytes = 32u * 1024 * 1024;

    explicit HttpClient(HttpTimeouts timeouts = HttpTimeouts::ServiceCall());

    // An empty proxy means the environment's proxy settings; otherwise
    // exactly that proxy is used.
    HttpAnswer Get(const std::string& host, const std::string& path,
                   const std::string& proxy) const;
    HttpAnswer Post(const std::string& host, const std::string& path, const std::string& body,
                    const std::string& proxy) const;
    // Get that keeps every byte of the answer, NUL bytes included: for
    // downloading files, which text answers' NUL rule would corrupt. Only a
    // whole 2xx answer counts: an error page, or an answer cut at the cap or
    // short of its declared length, is a failure.
    HttpAnswer GetFile(const std::string& host, const std::string& path,
                       const std::string& proxy) const;

private:
    HttpAnswer Exchange(const std::string& host, const std::string& path, const std::string* body,
                        const std::string& proxy, bool file) const;

    HttpTimeouts timeouts_;
};

} // namespace orbisk
