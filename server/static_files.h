// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "http_exchange.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace orbisk::server {

// What a Range header asks of a file of `size` bytes: nothing (the whole
// file), one range (inclusive bounds), or a start past the end. Lists of
// ranges and malformed headers count as nothing.
struct ByteRange {
    enum Kind { kNone, kOne, kUnsatisfiable } kind = kNone;
    size_t first = 0;
    size_t last = 0;
};
ByteRange ParseByteRange(const std::string& header, size_t size);

// The files the map page loads (scripts, styles, outlines, images), read into
// memory once. A text file is gzipped once, on its first request from a client
// that accepts gzip, and kept: compressing every answer cost more than sending
// it (brotli took 1.3 s for the 1 MB outlines), compressing all at start would
// double the server's start-up. A plain name carries an ETag so the browser
// revalidates; a versioned one is immutable.
class StaticFiles {
public:
    // Every regular file below `directory`; false with `error` when unreadable.
    bool Load(const std::filesystem::path& directory, std::string& error);
    void Add(const std::string& name, std::string content, const std::string& type);

    // `name` is the path below the mount point, e.g. "leaflet/leaflet.min.js".
    // One byte range is served when asked for; several are answered with the
    // whole file, so no request can make the answer larger than the file.
    void Serve(const std::string& name, const HttpRequest& request, HttpResponse& response) const;

    // The content type a file name gets.
    static std::string TypeOf(const std::filesystem::path& name);

    // The name with the content's hash before its extension ("map.1f…e2.js").
    // Served under that name, a file is cached for a year: a new content has
    // a new name. Unknown names come back unchanged.
    std::string VersionedName(const std::string& name) const;

private:
    struct Gzip {
        std::once_flag once;
        std::shared_ptr<const std::string> content; // null when it would not be smaller
    };
    struct File {
        std::shared_ptr<const std::string> content;
        std::string type;
        std::string etag;
        std::string hash;           // 16 hex digits
        std::shared_ptr<Gzip> gzip; // null for files not worth compressing
    };
    // The gzipped content when the request accepts it and it pays; else null.
    static std::shared_ptr<const std::string> GzippedFor(const File& file,
                                                         const HttpRequest& request);
    // The file a plain or versioned name stands for; null when none or the hash is stale.
    const File* Find(const std::string& name, bool& versioned) const;
    std::map<std::string, File> files_;
};

} // namespace orbisk::server
