// SPDX-License-Identifier: GPL-3.0-or-later
// orbisk-server: the map server and the outside services Orbisk uses, on
// this machine, so that Orbisk works without any outside network.
#include "common/strict_number.h"
#include "common/version.h"
#include "orbisk_server.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

using orbisk::kPublicNominatim;
using orbisk::kPublicOverpass;
using orbisk::OnlineSettings;

constexpr const char* kUsage =
    "usage: orbisk-server [--host 127.0.0.1] [--port 8642] [--data DIR] "
    "[--definitions-version N] [--record DIR] [--quiet] [--check-data]\n"
    "                     [--public-address HOST:PORT]\n"
    "                     [--online] [--nominatim URL] [--overpass URL] [--nominatim-interval S]\n"
    "       orbisk-server --help | --version\n"
    "  The local map server of Orbisk and its stand-ins for the outside "
    "services; --data defaults to ../share/orbisk-server beside the program.\n"
    "  --port 0 picks a free port and prints it; without --port, when another account's\n"
    "  server holds 8642, a free port is taken and published in $XDG_RUNTIME_DIR/orbisk/;\n"
    "  --definitions-version offers that definition version;\n"
    "  --record DIR keeps every map page body received in DIR;\n"
    "  --public-address names HOST:PORT in the served definitions (behind a load balancer);\n"
    "  --check-data reports what the data covers and exits, 1 when a "
    "file is missing or malformed;\n"
    "  --nominatim and --overpass ask those OpenStreetMap services for street "
    "addresses and the local search,\n"
    "  --online the public ones, --nominatim-interval the seconds between geocoder requests (1);\n"
    "  without any of these, "
    "~/.config/orbisk/orbisk-server.conf decides.\n";

bool ParseNumber(const std::string& text, int& value) {
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size();
    } catch (const std::exception&) {
        return false;
    }
}

// A name or address and a port, nothing that could leave an XML attribute.
bool IsHostAndPort(const std::string& text) {
    const size_t colon = text.rfind(':');
    int port = 0;
    if (colon == std::string::npos || colon == 0 || !ParseNumber(text.substr(colon + 1), port) ||
        port < 1 || port > 65535)
        return false;
    return std::all_of(text.begin(), text.begin() + static_cast<long>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '[' ||
               c == ']' || c == ':';
    });
}

bool ParseOptions(int argc, char** argv, orbisk::server::ServerOptions& options, bool& checkData) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--quiet") {
            options.log = false;
            continue;
        }
        if (word == "--check-data") {
            checkData = true;
            continue;
        }
        if (word == "--online") {
            auto& online = options.online.emplace(options.online.value_or(OnlineSettings{}));
            online.nominatim = online.nominatim.empty() ? kPublicNominatim : online.nominatim;
            online.overpass = online.overpass.empty() ? kPublicOverpass : online.overpass;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (word == "--host")
            options.host = value;
        else if (word == "--data")
            options.dataDirectory = value;
        else if (word == "--record")
            options.recordDirectory = value;
        else if (word == "--public-address") {
            if (!IsHostAndPort(value))
                return false;
            options.publicAddress = value;
        } else if (word == "--nominatim-interval") {
            const auto seconds = orbisk::StrictNumber(value, 0, 60);
            if (!seconds)
                return false;
            options.online.emplace(options.online.value_or(OnlineSettings{})).nominatimInterval =
                std::chrono::milliseconds(static_cast<long>(*seconds * 1000));
        } else if (word == "--nominatim" || word == "--overpass") {
            if (!orbisk::IsUpstreamAddress(value))
                return false;
            auto& online = options.online.emplace(options.online.value_or(OnlineSettings{}));
            (word == "--nominatim" ? online.nominatim : online.overpass) = value;
        } else if (word == "--port") {
            if (!ParseNumber(value, options.port) || options.port < 0 || options.port > 65535)
                return false;
            options.portGiven = true;
        } else if (word == "--definitions-version") {
            if (!ParseNumber(value, options.definitionsVersion))
                return false;
        } else
            return false;
    }
    return true;
}

// What the data files cover; 1 when one is missing or has malformed lines.
int CheckData(const std::filesystem::path& directory) {
    orbisk::server::GeoData geo;
    std::string error;
    if (!geo.Load(directory, error)) {
        std::cerr << "orbisk-server: " << error << "\n";
        return 1;
    }
    const auto c = geo.Covered();
    std::string notFound;
    for (const auto& npa : c.unresolvedInService)
        notFound += " " + npa;
    std::cout << "area codes: " << c.areaCodes << ", " << c.areaCodesWithExchanges
              << " with known exchanges; in service: " << c.areaCodesInService << ", "
              << c.areaCodesInService - c.unresolvedInService.size() << " found"
              << (notFound.empty() ? "" : " (not found:" + notFound + ")") << "\n"
              << "exchanges: " << c.exchanges << ", " << c.exchangesAtTheirCity
              << " at their city, " << c.exchanges - c.exchangesAtTheirCity
              << " falling back to their area code\n"
              << "places by name: " << c.placesUnitedStates << " in the United States, "
              << c.placesCanada << " in Canada\n"
              << "zip codes: " << c.zips << "; forward sortation areas: " << c.sortationAreas
              << "\nmalformed lines: " << c.malformedLines << "\n";
    return c.malformedLines == 0 && c.zips > 0 && c.exchanges > 0 && c.areaCodesInService > 0 ? 0
                                                                                              : 1;
}

} // namespace

int main(int argc, char** argv) {
    orbisk::server::ServerOptions options;
    options.dataDirectory = orbisk::server::DefaultDataDirectory();
    options.onlineSettingsFile = orbisk::OnlineSettingsFile();
    options.answerCache = orbisk::server::DefaultAnswerCacheFile();
    bool checkData = false;
    const std::string first = argc == 2 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (first == "--version") {
        std::cout << "orbisk-server " << orbisk::kVersionText << "\n";
        return 0;
    }
    if (!ParseOptions(argc, argv, options, checkData)) {
        std::cerr << kUsage;
        return 2;
    }
    if (checkData)
        return CheckData(options.dataDirectory);
    // Signals go to one thread that stops the server, so every request in
    // flight ends normally.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    orbisk::server::OrbiskServer server;
    std::string error;
    if (!server.Start(options, error)) {
        std::cerr << "orbisk-server: " << error << "\n";
        return 1;
    }
    std::cerr << "orbisk-server: serving on http://" << server.HostAndPort() << "/" << std::endl;
    std::thread watcher([&] {
        int received = 0;
        sigwait(&signals, &received);
        server.Stop();
    });
    server.Run();
    pthread_kill(watcher.native_handle(), SIGTERM);
    watcher.join();
    std::cerr << "orbisk-server: stopped" << std::endl;
    return 0;
}
