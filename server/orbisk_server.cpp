#include "orbisk_server.h"

#include "common/atomic_file.h"
#include "common/number_format.h"
#include "html_text.h"
#include "map_page.h"
#include "map_request.h"
#include "service_handlers.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace orbisk::server {
namespace {

// Map page bodies carry whole marker sets; anything larger is no request of ours.
constexpr size_t kMaxBodyBytes = 16u * 1024 * 1024;

thread_local std::chrono::steady_clock::time_point requestStart;

std::string CitiesJson(const GeoData& geo) {
    std::string json = "[";
    for (size_t i = 0; i < geo.Cities().size(); ++i) {
        const City& city = geo.Cities()[i];
        json += (i ? "," : "") + std::string("[") + JsonString(city.place.name) + "," +
                FormatFixed(city.place.lat, 4) + "," + FormatFixed(city.place.lng, 4) + "," +
                std::to_string(city.population) + "]";
    }
    return json + "]";
}

const char* kDownloadsPage = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Orbisk downloads</title></head>
<body><h1>Orbisk (North America Edition)</h1>
<p>Orbisk is built from source: run <code>make run</code> in its source tree.
This local server provides the maps, the service definitions and demo lookups.</p>
</body></html>
)";

} // namespace

std::filesystem::path DefaultDataDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "share/orbisk-server";
    return self.parent_path().parent_path() / "share" / "orbisk-server";
}

bool OrbiskServer::Start(const ServerOptions& options, std::string& error) {
    options_ = options;
    if (!geo_.Load(options.dataDirectory, error))
        return false;
    directory_ = std::make_unique<DemoDirectory>(geo_);
    if (!static_.Load(options.dataDirectory / "web", error))
        return false;
    static_.Add("cities.json", CitiesJson(geo_), "application/json");
    // Address reuse for quick restarts, but never port sharing: a second
    // server on a taken port must fail, not silently split the requests.
    http_.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // Small answers must not wait for the peer's delayed acknowledgement.
    http_.set_tcp_nodelay(true);
    port_ = options.port == 0 ? http_.bind_to_any_port(options.host) : options.port;
    if (port_ <= 0 || (options.port != 0 && !http_.bind_to_port(options.host, options.port))) {
        error = "cannot listen on " + options.host + ":" + std::to_string(options.port) +
                ": the address is in use or not available (is another orbisk-server running?)";
        return false;
    }
    if (!definitions_.Load(options.dataDirectory / "Map.xml", HostAndPort(),
                           options.definitionsVersion, error))
        return false;
    RegisterHandlers();
    return true;
}

void OrbiskServer::Run() {
    http_.listen_after_bind();
}

void OrbiskServer::RegisterHandlers() {
    http_.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    if (options_.log)
        http_.set_logger([](const httplib::Request& request, const httplib::Response& response) {
            const auto elapsed = std::chrono::steady_clock::now() - requestStart;
            std::cerr << request.method << ' ' << request.path << ' ' << response.status << ' '
                      << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
                      << "ms\n";
        });

    // The body is read here rather than parsed as a form: it is one encoded
    // value of any length.
    http_.Post("/map/default.asp", [this](const httplib::Request&, httplib::Response& response,
                                          const httplib::ContentReader& reader) {
        std::string body;
        const bool complete = reader([&](const char* data, size_t length) {
            if (body.size() + length > kMaxBodyBytes)
                return false;
            body.append(data, length);
            return true;
        });
        RecordBody(body);
        const MapRequest request = ParseMapBody(complete ? body : "");
        if (!request.hasQuery)
            return response.set_content(RenderErrorPage(request.errors),
                                        "text/html; charset=utf-8");
        response.set_content(RenderMapPage(BuildMapPageContent(request, geo_)),
                             "text/html; charset=utf-8");
    });

    http_.Get("/map/definition/version/",
              [this](const httplib::Request&, httplib::Response& response) {
                  response.set_content(std::to_string(definitions_.Version()), "text/plain");
              });
    http_.Get("/map/definition/path/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(DefinitionService::kFilePath, "text/plain");
    });
    http_.Get(std::string("/map/") + DefinitionService::kFilePath,
              [this](const httplib::Request&, httplib::Response& response) {
                  response.set_content(definitions_.Encoded(), "application/octet-stream");
              });
    http_.Get("/map/definitions/Map.xml",
              [this](const httplib::Request&, httplib::Response& response) {
                  response.set_content(definitions_.Xml(), "text/xml");
              });
    http_.Get("/webpages/Downloads.htm", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(kDownloadsPage, "text/html; charset=utf-8");
    });
    http_.Get(R"(/static/(.+))",
              [this](const httplib::Request& request, httplib::Response& response) {
                  static_.Serve(request.matches[1], request, response);
              });
    RegisterServiceHandlers(http_, geo_, *directory_);
}

void OrbiskServer::RecordBody(const std::string& body) {
    if (options_.recordDirectory.empty())
        return;
    char name[32];
    std::snprintf(name, sizeof name, "%06d.body", ++recorded_);
    // Written whole and renamed, so a reader never sees half a body.
    if (!WriteFileAtomically(options_.recordDirectory / name, body))
        std::cerr << "orbisk-server: cannot record " << name << " in " << options_.recordDirectory
                  << "\n";
}

} // namespace orbisk::server
