// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orbisk {

// The address the built-in definitions name for the local map server. It is
// a name rather than a place: every account runs its own server, and when
// another account holds this port, the account's server takes a free one
// and publishes it in its runtime folder, which only the account can read.
inline constexpr const char* kBuiltInServerHost = "127.0.0.1:8642";

// $XDG_RUNTIME_DIR/orbisk/server-address; empty without a runtime folder.
std::filesystem::path ServerAddressFile();

// "127.0.0.1:PORT" from the file's text (one line); nullopt for anything
// else, so the file can never send the client off this machine.
std::optional<std::string> ParseServerAddress(std::string_view text);

// Where this account's requests for `host` go: for the built-in address,
// the published one while this account's server listens there; any other
// host as it is.
std::string OwnServerHost(const std::string& host);

// The server publishes `hostAndPort` for its account, in a folder only the
// account may enter; false with `error` when it cannot.
bool PublishServerAddress(const std::string& hostAndPort, std::string& error);

// Removes the published address if it is still `hostAndPort`.
void WithdrawServerAddress(const std::string& hostAndPort);

} // namespace orbisk
