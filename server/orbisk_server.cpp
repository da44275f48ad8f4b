// SPDX-License-Identifier: GPL-3.0-or-later
#include "orbisk_server.h"

#include "common/atomic_file.h"
#include "common/number_format.h"
#include "common/own_server_address.h"
#include "common/socket_owner.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "html_text.h"
#include "map_page.h"
#include "map_request.h"
#include "place_names.h"
#include "service_handlers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>
#include <unordered_set>

namespace orbisk::server {
namespace {

// Map page bodies carry whole marker sets; anything larger is no request of
// ours. Every other route takes the server's default cap.
constexpr size_t kMaxMapBodyBytes = 16u * 1024 * 1024;

constexpr const char* kHtml = "text/html; charset=utf-8";

// The names the map may show, larger first: every city, and the towns of
// 5,000 people that name the country between them.
std::string CitiesJson(const GeoData& geo) {
    constexpr long kSmallestLabelledTown = 5000;
    std::vector<City> named = geo.Cities();
    std::unordered_set<std::string> known;
    for (const City& city : named)
        known.insert(PlaceKey(city.place.name, city.place.region));
    for (const City& town : geo.Towns())
        if (town.population >= kSmallestLabelledTown &&
            known.insert(PlaceKey(town.place.name, town.place.region)).second)
            named.push_back(town);
    std::stable_sort(named.begin(), named.end(),
                     [](const City& a, const City& b) { return a.population > b.population; });
    std::string json = "[";
    for (size_t i = 0; i < named.size(); ++i) {
        const City& city = named[i];
        json += (i ? "," : "") + std::string("[") + JsonString(city.place.name) + "," +
                FormatFixed(city.place.lat, 4) + "," + FormatFixed(city.place.lng, 4) + "," +
                std::to_string(city.population) + "]";
    }
    return json + "]";
}

// The files of a folder of outlines with the bounds of each (west, south,
// east, north), under their versioned names: [["/static/counties/06.….json",-124.4,…],…].
std::string OutlineIndexJson(const std::string& folder, const std::string& index,
                             const StaticFiles& files) {
    std::string json = "[";
    for (const std::string& line : Split(index, '\n')) {
        const std::vector<std::string> fields = Split(line, '\t');
        std::vector<double> box;
        for (size_t i = 1; i < fields.size(); ++i)
            if (const auto number = StrictNumber(fields[i], -180, 180))
                box.push_back(*number);
        if (fields.size() != 5 || box.size() != 4)
            continue;
        json += (json.size() > 1 ? ",[" : "[") +
                JsonString("/static/" + files.VersionedName(folder + "/" + fields[0]));
        for (double edge : box)
            json += "," + FormatFixed(edge, 3);
        json += "]";
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
    onlineSettings_ =
        std::make_unique<OnlineSettingsSource>(options.online, options.onlineSettingsFile);
    answers_ = std::make_unique<AnswerCache>(options.answerCache);
    online_ = std::make_unique<OnlineData>(*onlineSettings_, *answers_);
    if (!static_.Load(options.dataDirectory / "web", error))
        return false;
    static_.Add("cities.json", CitiesJson(geo_), "application/json");
    for (const std::string folder : {"counties", "cells"}) {
        std::string index;
        if (!ReadWholeFile(options.dataDirectory / "web" / folder / "index.tsv", 1 << 20, index)) {
            error = "cannot read " + folder + "/index.tsv (build the server data first)";
            return false;
        }
        static_.Add(folder + ".json", OutlineIndexJson(folder, index, static_), "application/json");
    }
    if (!BindOwnAddress(error))
        return false;
    if (!definitions_.Load(options.dataDirectory / "Map.xml", ServedHost(),
                           options.definitionsVersion, error))
        return false;
    RegisterHandlers();
    if (!http_.Start(error))
        return false;
    if (published_ && !PublishServerAddress(HostAndPort(), error))
        return false;
    return true;
}

// The built-in address is this account's unless another account holds it;
// then the server takes a free port and publishes it for this account only.
bool OrbiskServer::BindOwnAddress(std::string& error) {
    const bool ownAddress =
        !options_.portGiven &&
        options_.host + ":" + std::to_string(options_.port) == kBuiltInServerHost;
    if (http_.Bind(options_.host, options_.port, error)) {
        port_ = http_.Port();
        published_ = ownAddress && !ServerAddressFile().empty();
        return true;
    }
    error += " (is another orbisk-server running?)";
    if (!ownAddress || ServerAddressFile().empty() || !HeldByAnotherAccount())
        return false;
    if (!http_.Bind(options_.host, 0, error))
        return false;
    port_ = http_.Port();
    published_ = true;
    return true;
}

bool OrbiskServer::HeldByAnotherAccount() const {
    const auto owners = SocketOwners::OfThisMachine();
    const auto at = TcpEnd::Parse(options_.host, static_cast<uint16_t>(options_.port));
    return owners && at && owners->ForeignListener(*at, ::geteuid()).has_value();
}

// A server on a port of its own still names the built-in address, so that a
// downloaded definition file stays right for every later start.
std::string OrbiskServer::ServedHost() const {
    if (!options_.publicAddress.empty())
        return options_.publicAddress;
    return published_ ? kBuiltInServerHost : HostAndPort();
}

void OrbiskServer::Stop() {
    http_.Stop();
    if (published_)
        WithdrawServerAddress(HostAndPort());
}

void OrbiskServer::Run() {
    http_.Wait();
}

void OrbiskServer::RegisterHandlers() {
    http_.SetLogging(options_.log);
    // The body is one encoded value of any length, read whole up to its cap.
    http_.Route(
        "POST", "/map/default.asp",
        [this](const HttpRequest& http, HttpResponse& response) {
            RecordBody(http.body);
            const MapRequest request = ParseMapBody(http.body);
            if (!request.hasQuery)
                return response.Reply(RenderErrorPage(request.errors), kHtml);
            const auto url = [this](const std::string& name) {
                return "/static/" + static_.VersionedName(name);
            };
            const PageLanguage language = PageLanguageOf(http.Header("Accept-Language"));
            MapPageContent content = BuildMapPageContent(request, geo_, language);
            content.offline = online_->OfflineNote(language);
            response.Reply(RenderMapPage(content, url), kHtml);
        },
        kMaxMapBodyBytes);
    http_.Route("GET", "/map/definition/version/",
                [this](const HttpRequest&, HttpResponse& response) {
                    response.Reply(std::to_string(definitions_.Version()), "text/plain");
                });
    http_.Route("GET", "/map/definition/path/", [](const HttpRequest&, HttpResponse& response) {
        response.Reply(DefinitionService::kFilePath, "text/plain");
    });
    http_.Route("GET", std::string("/map/") + DefinitionService::kFilePath,
                [this](const HttpRequest&, HttpResponse& response) {
                    response.Reply(definitions_.Encoded(), "application/octet-stream");
                });
    http_.Route("GET", "/map/definitions/Map.xml",
                [this](const HttpRequest&, HttpResponse& response) {
                    response.Reply(definitions_.Xml(), "text/xml");
                });
    http_.Route("GET", "/webpages/Downloads.htm", [](const HttpRequest&, HttpResponse& response) {
        response.Reply(kDownloadsPage, kHtml);
    });
    http_.RoutePrefix("/static/", [this](const HttpRequest& request, HttpResponse& response) {
        static_.Serve(request.path.substr(std::strlen("/static/")), request, response);
    });
    RegisterServiceHandlers(http_, geo_, *directory_, *online_);
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
