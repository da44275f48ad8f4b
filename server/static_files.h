#pragma once

#include <filesystem>
#include <httplib.h>
#include <map>
#include <memory>
#include <string>

namespace orbisk::server {

// The files the map page loads (scripts, styles, outlines, images), read into
// memory once. Answers are never compressed: on loopback compressing costs far
// more than sending (brotli took 1.3 s for the 1 MB outlines), and each answer
// carries an ETag so the browser revalidates instead of fetching again.
class StaticFiles {
public:
    // Every regular file below `directory`; false with `error` when unreadable.
    bool Load(const std::filesystem::path& directory, std::string& error);
    void Add(const std::string& name, std::string content, const std::string& type);

    // `name` is the path below the mount point, e.g. "leaflet/leaflet.min.js".
    void Serve(const std::string& name, const httplib::Request& request,
               httplib::Response& response) const;

    // The content type a file name gets.
    static std::string TypeOf(const std::filesystem::path& name);

private:
    struct File {
        std::shared_ptr<const std::string> content;
        std::string type;
        std::string etag;
    };
    std::map<std::string, File> files_;
};

} // namespace orbisk::server
