// SPDX-License-Identifier: GPL-3.0-or-later
// Zip code lookups per second from two client threads with keep-alive
// connections to an orbisk-server in this process (target over 5,000).
#include "orbisk_server.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <thread>

namespace {

orbisk::server::OrbiskServer* server = nullptr;

void StartServer() {
    static std::thread thread;
    if (server)
        return;
    server = new orbisk::server::OrbiskServer;
    orbisk::server::ServerOptions options;
    options.port = 0;
    options.dataDirectory = ORBISK_SERVER_DATA_DIR;
    options.log = false;
    std::string error;
    if (!server->Start(options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    thread = std::thread([] { server->Run(); });
    thread.detach();
}

const char* const kZips[] = {"20502", "10001", "60601", "94103", "98101",
                             "02108", "30303", "73301", "80202", "33101"};

void ZipLookups(benchmark::State& state) {
    if (state.thread_index() == 0)
        StartServer();
    while (!server || server->Port() == 0)
        std::this_thread::yield();
    httplib::Client client("127.0.0.1", server->Port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    size_t i = static_cast<size_t>(state.thread_index());
    for (auto _ : state) {
        const auto answer = client.Get(std::string("/services/zip?code=") +
                                       kZips[i++ % std::size(kZips)] + "&country=US");
        if (!answer || answer->status != 200)
            state.SkipWithError("a lookup failed");
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(ZipLookups)->Threads(2)->UseRealTime()->MinTime(3);

} // namespace
