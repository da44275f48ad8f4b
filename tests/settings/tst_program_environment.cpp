// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_environment.h"
#include "settings/registry_key.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace orbisk {
namespace {

const std::string kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class ProgramEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"http_proxy", "HTTP_PROXY", kProgramDirVariable})
            unsetenv(name);
    }
    void TearDown() override { SetUp(); }

    void StoreProxy(uint32_t enabled, const std::string& server) {
        RegistryKey key(store);
        ASSERT_TRUE(key.Create(RegistryRoot::CurrentUser, kInternetSettings));
        key.WriteDword("ProxyEnable", enabled);
        key.WriteString("ProxyServer", server);
    }

    test::TempDir dir;
    std::filesystem::path store = dir / "registry.sqlite3";
};

TEST_F(ProgramEnvironmentTest, ProgramDirectoryIsTheExecutablesOrTheOverride) {
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(DiscoverProgramDirectory(), std::filesystem::path(self).parent_path().string());
    setenv(kProgramDirVariable, "/opt/orbisk/", 1);
    EXPECT_EQ(DiscoverProgramDirectory(), "/opt/orbisk");
    EXPECT_EQ(DiscoverEnvironment(store).programDirectory, "/opt/orbisk");
}

// A build tree keeps Map.dat beside the program; an installation in share.
TEST_F(ProgramEnvironmentTest, ProgramFilesAreBesideTheProgramOrInShare) {
    const struct {
        std::vector<const char*> files;
        const char* expected;
    } cases[] = {
        {{"bin/Map.dat", "share/orbisk/Map.dat"}, "bin"},
        {{"share/orbisk/Map.dat"}, "share/orbisk"},
        {{"share/orbisk/html/HomeSiteError.htm"}, "bin"},
        {{}, "bin"},
    };
    for (const auto& c : cases) {
        test::TempDir tree;
        for (const char* file : c.files) {
            std::filesystem::create_directories((tree / file).parent_path());
            std::ofstream(tree / file) << "x";
        }
        EXPECT_EQ(ProgramDirectoryOf(tree / "bin" / "orbisk"), tree / c.expected) << c.expected;
    }
}

TEST_F(ProgramEnvironmentTest, ComputerNamePrefersAFullyQualifiedName) {
    EXPECT_EQ(ChooseComputerName("vm.example.org", "vm"), "vm.example.org");
    EXPECT_EQ(ChooseComputerName("vm", "vm"), "vm");
    EXPECT_EQ(ChooseComputerName("", "vm"), "vm");
    EXPECT_EQ(ChooseComputerName("localhost.localdomain", "vm"), "vm");
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string name = DiscoverComputerName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.rfind(host, 0), 0u) << name << " does not begin with " << host;
}

TEST_F(ProgramEnvironmentTest, ServerListsGiveTheirHttpProxyInUpperCase) {
    EXPECT_EQ(ProxyFromServerList("http=webproxy:80;https=secureproxy:443"), "WEBPROXY:80");
    EXPECT_EQ(ProxyFromServerList("ftp=a:21;https=b:443"), "FTP=A:21;HTTPS=B:443");
    EXPECT_EQ(ProxyFromServerList("proxyhost:8080"), "PROXYHOST:8080");
    EXPECT_EQ(ProxyFromServerList("https=b:443;http=c:8"), "C:8");
}

TEST_F(ProgramEnvironmentTest, TheStoreIsAskedOnlyWhenTheEnvironmentNamesNoProxy) {
    StoreProxy(1, "http=webproxy:80;https=secureproxy:443");
    EXPECT_EQ(DiscoverEnvironment(store).proxyServer, "WEBPROXY:80");
    setenv("http_proxy", "", 1);
    EXPECT_EQ(DiscoverEnvironment(store).proxyServer, "");
    setenv("http_proxy", "http://envproxy:3128", 1);
    EXPECT_EQ(DiscoverEnvironment(store).proxyServer, "http://envproxy:3128");
}

TEST_F(ProgramEnvironmentTest, AStoredProxyCountsOnlyWhenEnabledAndNamed) {
    EXPECT_EQ(ProxyFromStore(store), "");
    StoreProxy(0, "webproxy:80");
    EXPECT_EQ(ProxyFromStore(store), "");
    StoreProxy(2, "webproxy:80");
    EXPECT_EQ(ProxyFromStore(store), "");
    StoreProxy(1, "");
    EXPECT_EQ(ProxyFromStore(store), "");
    StoreProxy(1, std::string(256, 'p'));
    EXPECT_EQ(ProxyFromStore(store), "");
    StoreProxy(1, "ftp=a:21;https=b:443");
    EXPECT_EQ(ProxyFromStore(store), "FTP=A:21;HTTPS=B:443");
}

} // namespace
} // namespace orbisk
