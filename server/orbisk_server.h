// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "definition_service.h"
#include "demo_directory.h"
#include "geo_data.h"
#include "http_server.h"
#include "online_data.h"
#include "static_files.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace orbisk::server {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8642; // 0 picks a free port
    // A port the user named is kept or refused; the default gives way to
    // another account's server (see kBuiltInServerHost).
    bool portGiven = false;
    std::filesystem::path dataDirectory;
    int definitionsVersion = -1; // -1 keeps the file's own
    bool log = true;
    // When set, every map page body is kept there as NNNNNN.body in the order
    // it arrived, so that a client's requests can be inspected afterwards.
    std::filesystem::path recordDirectory;
    // The host:port the served definitions name, when clients reach the
    // server through another address (a load balancer); empty: its own.
    std::string publicAddress;
    // OpenStreetMap's services: the command line's choice when it made one,
    // else the settings file's (none when empty), with answers kept in
    // answerCache (nothing kept when empty).
    std::optional<OnlineSettings> online;
    std::filesystem::path onlineSettingsFile;
    std::filesystem::path answerCache;
};

// The local map server: the map page, the definition downloads, the
// outside-service stand-ins and the static files the page loads.
class OrbiskServer {
public:
    // Loads the data, binds the address and prepares the definitions for
    // it; false with `error` in plain words (the port taken, data missing).
    bool Start(const ServerOptions& options, std::string& error);
    // Serves until Stop.
    void Run();
    // Stops serving and withdraws the published address.
    void Stop();

    int Port() const { return port_; }
    std::string HostAndPort() const { return options_.host + ":" + std::to_string(port_); }

private:
    bool BindOwnAddress(std::string& error);
    bool HeldByAnotherAccount() const;
    std::string ServedHost() const;
    void RegisterHandlers();
    void RecordBody(const std::string& body);

    ServerOptions options_;
    int port_ = 0;
    bool published_ = false;
    GeoData geo_;
    std::unique_ptr<DemoDirectory> directory_;
    std::unique_ptr<OnlineSettingsSource> onlineSettings_;
    std::unique_ptr<AnswerCache> answers_;
    std::unique_ptr<OnlineData> online_;
    DefinitionService definitions_;
    StaticFiles static_;
    std::atomic<int> recorded_{0};
    HttpServer http_;
};

// share/orbisk-server beside the program's bin/ directory.
std::filesystem::path DefaultDataDirectory();

} // namespace orbisk::server
