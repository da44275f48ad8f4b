// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace orbisk::server {

// The service definition file the server publishes: resources/definitions/
// Map.xml as built, with the services pointed at this server's own address,
// encoded as the client's Map.dat is.
class DefinitionService {
public:
    // `host` replaces the built-in "127.0.0.1:8642"; a version of 0 or more
    // replaces the file's Ver (tests offer a newer one). False with `error`.
    bool Load(const std::filesystem::path& mapXml, const std::string& host, int versionOverride,
              std::string& error);

    int Version() const { return version_; }
    const std::string& Xml() const { return xml_; }
    const std::string& Encoded() const { return encoded_; }

    // Where the path list sends the client, below "map/".
    static constexpr const char* kFilePath = "definitions/Map.dat";

private:
    int version_ = -1;
    std::string xml_;
    std::string encoded_;
};

} // namespace orbisk::server
