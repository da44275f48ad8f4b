// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace orbisk::server {

// `text` in gzip form (RFC 1952) at zlib's default level; nothing when zlib fails.
std::optional<std::string> Gzipped(const std::string& text);

// Whether an Accept-Encoding header admits gzip: named (or "*") without q=0.
bool AcceptsGzip(const std::string& acceptEncoding);

} // namespace orbisk::server
