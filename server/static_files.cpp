// SPDX-License-Identifier: GPL-3.0-or-later
#include "static_files.h"

#include "common/atomic_file.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "gzip_text.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace orbisk::server {
namespace {

// Nothing the page loads comes near this; anything larger is not ours to serve.
constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;
// Below this a gzip header and a round trip of work gain nothing.
constexpr size_t kMinGzipBytes = 1024;

bool IsText(const std::string& type) {
    return type.rfind("text/", 0) == 0 || type == "application/json" || type == "image/svg+xml";
}

// FNV-1a: stable across runs and builds, so a name stays valid while its file does.
std::string ContentHash(const std::string& content) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : content)
        hash = (hash ^ byte) * 1099511628211ull;
    static const char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[i] = kHex[hash & 15];
    return text;
}

} // namespace

ByteRange ParseByteRange(const std::string& header, size_t size) {
    constexpr std::string_view kUnit = "bytes=";
    if (header.rfind(kUnit, 0) != 0 || header.find(',') != std::string::npos)
        return {};
    const std::string spec = Trimmed(header.substr(kUnit.size()));
    const size_t dash = spec.find('-');
    if (dash == std::string::npos)
        return {};
    const auto number = [](const std::string& text) {
        return text.empty() ? std::optional<long long>()
                            : StrictInteger64(text, 0, std::numeric_limits<long long>::max());
    };
    const auto from = number(spec.substr(0, dash));
    const auto to = number(spec.substr(dash + 1));
    if (!from && !to)
        return {};
    if (!from) { // the last *to bytes
        if (*to == 0)
            return {ByteRange::kUnsatisfiable};
        const size_t count = std::min(static_cast<size_t>(*to), size);
        return size ? ByteRange{ByteRange::kOne, size - count, size - 1}
                    : ByteRange{ByteRange::kUnsatisfiable};
    }
    if (to && *to < *from)
        return {};
    if (static_cast<unsigned long long>(*from) >= size)
        return {ByteRange::kUnsatisfiable};
    const size_t last = to ? std::min(static_cast<size_t>(*to), size - 1) : size - 1;
    return {ByteRange::kOne, static_cast<size_t>(*from), last};
}

bool StaticFiles::Load(const std::filesystem::path& directory, std::string& error) {
    std::error_code walkError;
    for (std::filesystem::recursive_directory_iterator it(directory, walkError), end;
         !walkError && it != end; it.increment(walkError)) {
        if (!it->is_regular_file())
            continue;
        std::string content;
        if (!ReadWholeFile(it->path(), kMaxFileBytes, content)) {
            error = "cannot read " + it->path().string();
            return false;
        }
        Add(it->path().lexically_relative(directory).generic_string(), std::move(content),
            TypeOf(it->path()));
    }
    if (walkError) {
        error = "cannot read " + directory.string() + ": " + walkError.message();
        return false;
    }
    return true;
}

void StaticFiles::Add(const std::string& name, std::string content, const std::string& type) {
    const std::string etag = "\"" + std::to_string(std::hash<std::string>{}(content)) + "-" +
                             std::to_string(content.size()) + "\"";
    const std::string hash = ContentHash(content);
    std::shared_ptr<Gzip> gzip;
    if (IsText(type) && content.size() >= kMinGzipBytes)
        gzip = std::make_shared<Gzip>();
    files_[name] = {std::make_shared<const std::string>(std::move(content)), type, etag, hash,
                    std::move(gzip)};
}

std::string StaticFiles::VersionedName(const std::string& name) const {
    const auto found = files_.find(name);
    const size_t dot = name.rfind('.');
    if (found == files_.end() || dot == std::string::npos ||
        name.find('/', dot) != std::string::npos)
        return name;
    return name.substr(0, dot) + "." + found->second.hash + name.substr(dot);
}

const StaticFiles::File* StaticFiles::Find(const std::string& name, bool& versioned) const {
    versioned = false;
    if (const auto plain = files_.find(name); plain != files_.end())
        return &plain->second;
    // "stem.HASH.ext": the hash must be the current content's.
    const size_t dot = name.rfind('.');
    const size_t hashDot = dot == std::string::npos || dot < 17 ? std::string::npos : dot - 17;
    if (hashDot == std::string::npos || name[hashDot] != '.')
        return nullptr;
    const auto found = files_.find(name.substr(0, hashDot) + name.substr(dot));
    if (found == files_.end() || name.compare(hashDot + 1, 16, found->second.hash) != 0)
        return nullptr;
    versioned = true;
    return &found->second;
}

std::shared_ptr<const std::string> StaticFiles::GzippedFor(const File& file,
                                                           const HttpRequest& request) {
    // A byte range is of the plain bytes; such clients get those.
    if (!file.gzip || !request.Header("Range").empty() ||
        !AcceptsGzip(request.Header("Accept-Encoding")))
        return nullptr;
    Gzip& gzip = *file.gzip;
    std::call_once(gzip.once, [&] {
        auto packed = Gzipped(*file.content);
        if (packed && packed->size() < file.content->size())
            gzip.content = std::make_shared<const std::string>(std::move(*packed));
    });
    return gzip.content;
}

void StaticFiles::Serve(const std::string& name, const HttpRequest& request,
                        HttpResponse& response) const {
    bool versioned = false;
    const File* found = Find(name, versioned);
    if (!found) {
        response.status = 404;
        response.Reply("not found\n", "text/plain");
        return;
    }
    const File& file = *found;
    const auto gzipped = GzippedFor(file, request);
    // Each form has its own tag, so a cache never takes one for the other.
    const std::string etag =
        gzipped ? file.etag.substr(0, file.etag.size() - 1) + "-gzip\"" : file.etag;
    response.SetHeader("ETag", etag);
    response.SetHeader("Cache-Control",
                       versioned ? "public, max-age=31536000, immutable" : "no-cache");
    response.SetHeader("Accept-Ranges", "bytes");
    if (file.gzip)
        response.SetHeader("Vary", "Accept-Encoding");
    if (request.Header("If-None-Match") == etag) {
        response.status = 304;
        return;
    }
    response.type = file.type;
    if (gzipped) {
        response.SetHeader("Content-Encoding", "gzip");
        response.shared = gzipped;
        response.offset = 0;
        response.length = gzipped->size();
        return;
    }
    const size_t size = file.content->size();
    const ByteRange range = ParseByteRange(request.Header("Range"), size);
    response.shared = file.content;
    response.offset = 0;
    response.length = size;
    if (range.kind == ByteRange::kUnsatisfiable) {
        response.status = 416;
        response.shared.reset();
        response.SetHeader("Content-Range", "bytes */" + std::to_string(size));
        return;
    }
    if (range.kind == ByteRange::kOne) {
        response.status = 206;
        response.offset = range.first;
        response.length = range.last - range.first + 1;
        response.SetHeader("Content-Range", "bytes " + std::to_string(range.first) + "-" +
                                                std::to_string(range.last) + "/" +
                                                std::to_string(size));
    }
}

std::string StaticFiles::TypeOf(const std::filesystem::path& name) {
    static const std::map<std::string, std::string> kTypes = {
        {".js", "text/javascript"},  {".css", "text/css"},      {".json", "application/json"},
        {".png", "image/png"},       {".svg", "image/svg+xml"}, {".html", "text/html"},
        {".map", "application/json"}};
    const auto found = kTypes.find(name.extension().string());
    return found == kTypes.end() ? "application/octet-stream" : found->second;
}

} // namespace orbisk::server
