// SPDX-License-Identifier: GPL-3.0-or-later
#include "upstream_fetch.h"

#include "common/version.h"

#include <curl/curl.h>
#include <memory>

namespace orbisk::server {
namespace {

struct Sink {
    std::string body;
    size_t maxBytes = 0;
    bool overflow = false;
};

size_t Keep(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t bytes = size * count;
    if (sink->body.size() + bytes > sink->maxBytes) {
        sink->overflow = true;
        return 0;
    }
    sink->body.append(data, bytes);
    return bytes;
}

UpstreamAnswer Exchange(const std::string& url, const std::string* formBody,
                        const UpstreamLimits& limits) {
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(),
                                                                   curl_easy_cleanup);
    if (!curl)
        return {false, "", "the network library could not start"};
    Sink sink{"", limits.maxBytes, false};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    const std::string userAgent = UpstreamUserAgent();
    curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Keep);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    if (formBody) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, formBody->c_str());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE, static_cast<long>(formBody->size()));
    }
    const CURLcode result = curl_easy_perform(handle);
    if (sink.overflow)
        return {false, "",
                "the answer is larger than " + std::to_string(limits.maxBytes) + " bytes"};
    if (result != CURLE_OK)
        return {false, "", curl_easy_strerror(result)};
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299)
        return {false, "", "the service answered HTTP " + std::to_string(status)};
    return {true, std::move(sink.body), ""};
}

} // namespace

std::string UpstreamUserAgent() {
    return std::string("Orbisk/") + kVersionText + " (orbisk-server; orbisk@brevant.com)";
}

UpstreamAnswer FetchUpstream(const std::string& url, const UpstreamLimits& limits) {
    return Exchange(url, nullptr, limits);
}

UpstreamAnswer PostUpstream(const std::string& url, const std::string& formBody,
                            const UpstreamLimits& limits) {
    return Exchange(url, &formBody, limits);
}

} // namespace orbisk::server
