#include "static_files.h"

#include "common/atomic_file.h"

#include <functional>

namespace orbisk::server {
namespace {

// Nothing the page loads comes near this; anything larger is not ours to serve.
constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;

} // namespace

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
    files_[name] = {std::make_shared<const std::string>(std::move(content)), type, etag};
}

void StaticFiles::Serve(const std::string& name, const httplib::Request& request,
                        httplib::Response& response) const {
    const auto found = files_.find(name);
    if (found == files_.end()) {
        response.status = 404;
        return;
    }
    const File& file = found->second;
    response.set_header("ETag", file.etag);
    response.set_header("Cache-Control", "no-cache");
    if (request.get_header_value("If-None-Match") == file.etag) {
        response.status = 304;
        return;
    }
    // A content provider with a known length is sent as it is, uncompressed.
    const auto content = file.content;
    response.set_content_provider(content->size(), file.type,
                                  [content](size_t offset, size_t length, httplib::DataSink& sink) {
                                      return sink.write(content->data() + offset, length);
                                  });
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
