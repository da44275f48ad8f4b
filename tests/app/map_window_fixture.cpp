// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_window_fixture.h"

#include "app/explorer1.h"
#include "protocol/parameter_codec.h"
#include "settings/program_environment.h"

#include <QTest>
#include <fstream>

namespace orbisk::test {
namespace {

// The map page of the stand-in: the five hidden fields, nothing else.
std::string Page(const char* xMin, const char* xMax, const char* yMin, const char* yMax,
                 const char* zoom) {
    return std::string("<html><body style='margin:0'><form>") +
           "<input type=hidden name=BVXMin value='" + xMin +
           "'><input type=hidden name=BVXMax value='" + xMax +
           "'><input type=hidden name=BVYMin value='" + yMin +
           "'><input type=hidden name=BVYMax value='" + yMax +
           "'><input type=hidden name=BVZoom value='" + zoom +
           "'><input type=hidden name=bvxmin value='1'><input type=hidden name=BVYMax "
           "value=''></form></body></html>";
}

} // namespace

MapServerStandIn::MapServerStandIn() {
    loopback_.http.Post("/map/default.asp",
                        [this](const httplib::Request& request, httplib::Response& response,
                               const httplib::ContentReader& reader) {
                            std::string body;
                            reader([&](const char* data, size_t length) {
                                body.append(data, length);
                                return true;
                            });
                            std::lock_guard lock(mutex_);
                            bodies_.push_back(body);
                            languages_.push_back(request.get_header_value("Accept-Language"));
                            response.set_content(Page("-80", "-70", "35", "45", "7"), "text/html");
                        });
    loopback_.http.Get("/map/definition/version/",
                       [this](const httplib::Request&, httplib::Response& response) {
                           std::lock_guard lock(mutex_);
                           response.set_content(offeredVersion, "text/plain");
                       });
    loopback_.http.Get("/map/definition/path/",
                       [](const httplib::Request&, httplib::Response& response) {
                           response.set_content(",defs/Map.dat,", "text/plain");
                       });
    loopback_.http.Get("/map/defs/Map.dat",
                       [this](const httplib::Request&, httplib::Response& response) {
                           std::lock_guard lock(mutex_);
                           response.set_content(offeredFile, "application/octet-stream");
                       });
    loopback_.Start();
}

std::vector<std::string> MapServerStandIn::Bodies() {
    std::lock_guard lock(mutex_);
    return bodies_;
}

std::vector<std::string> MapServerStandIn::Languages() {
    std::lock_guard lock(mutex_);
    return languages_;
}

void MapServerStandIn::OfferDefinitions(const std::string& version,
                                        const std::string& encodedFile) {
    std::lock_guard lock(mutex_);
    offeredVersion = version;
    offeredFile = encodedFile;
}

void WriteProgramDirectory(const std::filesystem::path& directory, const std::string& host,
                           const std::string& newestVersion) {
    std::string encoded;
    ParameterCodec().Encode(
        "<Definitions><GeoCoderSetting Ver=\"1\"><NewUpdate Name=\"Orbisk 2\" Ver=\"" +
            newestVersion +
            "\" DownloadAddress=\"http://example.org/get\"/><KeyStrings><KeyString/><KeyString>" +
            host + "</KeyString></KeyStrings></GeoCoderSetting></Definitions>",
        encoded);
    std::filesystem::create_directories(directory / "MarkerSets");
    std::ofstream(directory / "Map.dat") << encoded;
    std::filesystem::create_directories(directory / "html");
    std::ofstream(directory / "html" / "HomeSiteError.htm")
        << "<html><body>error page</body></html>";
}

void MapWindowFixture::SetUp() {
    dir_ = std::make_unique<TempDir>();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir_->Path() / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir_->Path() / "data").string()));
    qputenv(kProgramDirVariable, QByteArray::fromStdString(dir_->Path().string()));
    server_ = std::make_unique<MapServerStandIn>();
    prompts_ = ScriptedPrompts();
}

void MapWindowFixture::TearDown() {
    window_.reset();
    server_.reset();
    dir_.reset();
}

CMapMainDlg& MapWindowFixture::Start(const std::string& host, const std::string& commandLine,
                                     const std::string& newestVersion) {
    WriteProgramDirectory(dir_->Path(), host.empty() ? server_->Host() : host, newestVersion);
    window_ = std::make_unique<CMapMainDlg>(&prompts_);
    prompts_.editMarker = [](MarkerDetails& details) {
        details.lines[0] = "first line";
        return true;
    };
    window_->resize(800, 600);
    window_->show();
    window_->Initialize(commandLine);
    return *window_;
}

void MapWindowFixture::WaitIdle() {
    QTRY_VERIFY_WITH_TIMEOUT(!window_->Busy(), 20000);
}

void MapWindowFixture::Command(int id) {
    window_->OnCommand(id);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->Browser()->ReadingView(), 5000);
}

} // namespace orbisk::test
