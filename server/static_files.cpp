#include "static_files.h"

#include "common/atomic_file.h"
#include "common/strict_number.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace orbisk::server {
namespace {

// Nothing the page loads comes near this; anything larger is not ours to serve.
constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;

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
    files_[name] = {std::make_shared<const std::string>(std::move(content)), type, etag, hash};
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
    response.SetHeader("ETag", file.etag);
    response.SetHeader("Cache-Control",
                       versioned ? "public, max-age=31536000, immutable" : "no-cache");
    response.SetHeader("Accept-Ranges", "bytes");
    if (request.Header("If-None-Match") == file.etag) {
        response.status = 304;
        return;
    }
    const size_t size = file.content->size();
    const ByteRange range = ParseByteRange(request.Header("Range"), size);
    response.type = file.type;
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
