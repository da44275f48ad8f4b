// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopback_server.h"
#include "protocol/parameter_codec.h"
#include "temp_dir.h"
#include "update/definition_update.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>

namespace orbisk {
namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A definition file of version `version`, encoded as the server offers it.
std::string EncodedDefinitions(int version) {
    std::string encoded;
    ParameterCodec().Encode("<Definitions><GeoCoderSetting Ver=\"" + std::to_string(version) +
                                "\"/></Definitions>",
                            encoded);
    return encoded;
}

// The maker's server: a version, a path list and files; every request recorded.
class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.http.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex);
            asked.push_back(request.path + (request.params.empty()
                                                ? ""
                                                : "?VER=" + request.get_param_value("VER")));
            if (request.path == "/map/defs/broken.dat") {
                // Promises 1000 bytes, sends 7 and drops the connection.
                response.set_content_provider(1000, "application/octet-stream",
                                              [](size_t, size_t, httplib::DataSink& sink) {
                                                  sink.write("partial", 7);
                                                  return false;
                                              });
                return;
            }
            const auto found = files.find(request.path);
            if (found == files.end()) {
                response.status = 404;
                response.set_content("<html><body>Not Found</body></html>", "text/html");
                return;
            }
            if (request.path == "/map/defs/error.dat")
                response.status = 500;
            response.set_content(found->second, "application/octet-stream");
        });
        server.Start();
    }

    DefinitionSource Source(double version) {
        return {server.Host(), "map/", "", version, {2000, 0, 5000}};
    }
    bool Download(double version) {
        return DefinitionDownloader(Source(version), ProgramFiles(dir.Path().string()), "\\Map.dat")
            .DownloadAll();
    }

    test::LoopbackServer server;
    std::mutex mutex;
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;
    test::TempDir dir;
};

TEST_F(UpdateTest, OnlyAStrictlyHigherVersionIsNewer) {
    files["/map/definition/version/"] = "12";
    EXPECT_FALSE(DefinitionVersionCheck(Source(12)).IsNewer());
    EXPECT_TRUE(DefinitionVersionCheck(Source(11)).IsNewer());
    files["/map/definition/version/"] = " 12.5\r\n";
    EXPECT_TRUE(DefinitionVersionCheck(Source(12)).IsNewer());
    files["/map/definition/version/"] = "none";
    EXPECT_FALSE(DefinitionVersionCheck(Source(0)).IsNewer());
    EXPECT_TRUE(DefinitionVersionCheck(Source(-1)).IsNewer()) << "no definitions: anything counts";
    EXPECT_FALSE(DefinitionVersionCheck({"127.0.0.1:1", "map/", "", -1, {500, 0, 1000}}).IsNewer());
}

TEST_F(UpdateTest, DownloadsTheListIntoTheProgramDirectory) {
    files["/map/definition/path/"] = ",defs/a.dat,,img/logo.gif,\n";
    files["/map/defs/a.dat"] = EncodedDefinitions(5);
    files["/map/img/logo.gif"] = std::string("GIF89a\0\x01", 8);
    ASSERT_TRUE(Download(-1));
    EXPECT_EQ(asked.front(), "/map/definition/path/?VER=-1.00");
    EXPECT_EQ(Contents(dir / "Map.dat"), EncodedDefinitions(5));
    EXPECT_EQ(Contents(dir / "logo.gif"), std::string("GIF89a\0\x01", 8));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST_F(UpdateTest, AnEmptyListDownloadsNothingAndSucceeds) {
    files["/map/definition/path/"] = " ,,, \n";
    EXPECT_TRUE(Download(3));
    EXPECT_EQ(asked, std::vector<std::string>{"/map/definition/path/?VER=3.00"});
}

TEST_F(UpdateTest, AFailedDownloadNeverLeavesATruncatedFile) {
    std::ofstream(dir / "Map.dat") << "old definitions";
    files["/map/definition/path/"] = "defs/broken.dat";
    EXPECT_FALSE(Download(1));
    EXPECT_EQ(Contents(dir / "Map.dat"), "old definitions");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file left";
    EXPECT_FALSE(DefinitionDownloader({"127.0.0.1:1", "map/", "", 1, {500, 0, 1000}},
                                      ProgramFiles(dir.Path().string()), "\\Map.dat")
                     .DownloadAll());
    EXPECT_EQ(Contents(dir / "Map.dat"), "old definitions");
}

// An update is applied whole or not at all: an error page, a cut file, a
// main file that is no definition file, or any later file that fails leaves
// every file as it was, and no staged file behind.
TEST_F(UpdateTest, AnUpdateIsAppliedWholeOrNotAtAll) {
    files["/map/defs/a.dat"] = EncodedDefinitions(6);
    files["/map/defs/page.dat"] = "<html><body>Maintenance</body></html>";
    files["/map/defs/error.dat"] = EncodedDefinitions(6);
    files["/map/img/logo.gif"] = "new logo";
    for (const char* list :
         {"defs/missing.dat", "defs/error.dat", "defs/broken.dat", "defs/page.dat",
          "defs/a.dat,img/missing.gif", "defs/a.dat,img/logo.gif,defs/broken.dat"}) {
        std::ofstream(dir / "Map.dat") << "old definitions";
        std::ofstream(dir / "logo.gif") << "old logo";
        files["/map/definition/path/"] = list;
        EXPECT_FALSE(Download(1)) << list;
        EXPECT_EQ(Contents(dir / "Map.dat"), "old definitions") << list;
        EXPECT_EQ(Contents(dir / "logo.gif"), "old logo") << list;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << list;
    }
    files.erase("/map/definition/path/");
    EXPECT_FALSE(Download(1)) << "a list that is an error page names nothing to fetch";
    EXPECT_EQ(asked.back(), "/map/definition/path/?VER=1.00");
}

// What a killed update left is removed by the next start; a running one's is not.
TEST_F(UpdateTest, StagedFilesOfADeadUpdateAreRemoved) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string dead = ".Map.dat.update-" + std::to_string(child) + "-a1B2c3";
    const std::string alive = ".Map.dat.update-" + std::to_string(::getpid()) + "-a1B2c3";
    for (const std::string& name : {dead, alive, std::string(".Map.dat.update-x-a1B2c3")})
        std::ofstream(dir / name) << "30 MB of a killed update";
    DefinitionDownloader(Source(1), ProgramFiles(dir.Path().string()), "\\Map.dat")
        .RemoveStaleStagedFiles();
    EXPECT_FALSE(std::filesystem::exists(dir / dead));
    EXPECT_TRUE(std::filesystem::exists(dir / alive));
    EXPECT_TRUE(std::filesystem::exists(dir / ".Map.dat.update-x-a1B2c3"));
}

// One deadline bounds the whole update, however many files it lists.
TEST(DefinitionSource, EveryRequestEndsByTheUpdatesDeadline) {
    using namespace std::chrono;
    DefinitionSource source;
    HttpTimeouts next;
    ASSERT_TRUE(source.TimeoutsLeft(next)) << "no deadline";
    EXPECT_EQ(next.totalMs, HttpTimeouts::StartupUpdate().totalMs);
    source.deadline = steady_clock::now() + milliseconds(800);
    ASSERT_TRUE(source.TimeoutsLeft(next));
    EXPECT_GT(next.totalMs, 0);
    EXPECT_LE(next.totalMs, 800);
    EXPECT_LE(next.connectMs, 800);
    source.deadline = steady_clock::now() - milliseconds(1);
    EXPECT_FALSE(source.TimeoutsLeft(next));
}

TEST_F(UpdateTest, UnsafeNamesStopTheDownloadBeforeAnythingIsWritten) {
    files["/map/defs/a.dat"] = "new";
    for (const char* entry :
         {"x/", "..", "x/..", "x/.", ".bashrc", "a\\..\\orbisk-escape-check", "bin/orbisk"}) {
        files["/map/definition/path/"] = std::string("defs/a.dat,") + entry;
        files[std::string("/map/") + entry] = "payload";
        std::filesystem::remove(dir / "Map.dat");
        EXPECT_FALSE(Download(1)) << entry;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0) << entry;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path().parent_path() / "orbisk-escape-check"));
}

TEST_F(UpdateTest, NoProgramDirectoryNoDownload) {
    files["/map/definition/path/"] = "defs/a.dat";
    files["/map/defs/a.dat"] = "new";
    EXPECT_FALSE(DefinitionDownloader(Source(1), ProgramFiles(""), "\\Map.dat").DownloadAll());
}

// A plain name that already names something that runs, a link or a
// directory is never written over; the file stays as it was.
TEST_F(UpdateTest, NeverReplacesProgramsLinksOrDirectories) {
    std::ofstream(dir / "tool.txt") << "#!/bin/sh";
    std::filesystem::permissions(dir / "tool.txt", std::filesystem::perms::owner_all);
    std::filesystem::create_symlink("/etc/hostname", dir / "link.txt");
    std::filesystem::create_directory(dir / "folder.xml");
    files["/map/defs/a.dat"] = EncodedDefinitions(2);
    for (const char* name : {"tool.txt", "link.txt", "folder.xml"}) {
        files["/map/definition/path/"] = std::string("defs/a.dat,x/") + name;
        files[std::string("/map/x/") + name] = "payload";
        EXPECT_FALSE(Download(1)) << name;
    }
    EXPECT_EQ(Contents(dir / "tool.txt"), "#!/bin/sh");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.xml"));
}

TEST(DefinitionPathList, SplitsAtCommasAndNamesFilesAfterTheirLastSlash) {
    EXPECT_EQ(DefinitionDownloader::SplitPathList("  a,,b , c/d,\n"),
              (std::vector<std::string>{"a", "b ", " c/d"}));
    EXPECT_EQ(DefinitionDownloader::FileNameOf("img/logo.gif"), "logo.gif");
    EXPECT_EQ(DefinitionDownloader::FileNameOf("logo.gif"), "logo.gif");
    EXPECT_EQ(DefinitionDownloader::FileNameOf("img/"), "");
    for (const char* name : {"", ".", "..", ".hidden", "a\\b", "orbisk"})
        EXPECT_FALSE(DefinitionDownloader::IsSafeFileName(name)) << name;
    EXPECT_FALSE(DefinitionDownloader::IsSafeFileName(std::string("a\0b", 3)));
    EXPECT_TRUE(DefinitionDownloader::IsSafeFileName("logo.gif"));
}

TEST(DefinitionPathList, WritesOnlyPlainNamesOfDataFiles) {
    std::ifstream table(ORBISK_TEST_DATA_DIR "/update/file_names.tsv");
    ASSERT_TRUE(table);
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (!line.empty() && line[0] == '#')
            continue;
        const size_t tab = line.rfind('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const std::string name = line.substr(0, tab);
        EXPECT_EQ(DefinitionDownloader::IsSafeFileName(name), line.substr(tab + 1) == "written")
            << '"' << name << '"';
        ++cases;
    }
    EXPECT_GT(cases, 20);
}

TEST(CheckForNewerProgram, ComparesWithOnePointOne) {
    EXPECT_FALSE(CheckForNewerProgram("1.1"));
    EXPECT_FALSE(CheckForNewerProgram(""));
    EXPECT_FALSE(CheckForNewerProgram("1.10"));
    EXPECT_TRUE(CheckForNewerProgram("1.11"));
    EXPECT_TRUE(CheckForNewerProgram(" 2 beta"));
}

} // namespace
} // namespace orbisk
