// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/own_server_address.h"
#include "data_table.h"
#include "raw_http_server.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orbisk {
namespace {

constexpr const char* kEmptyPage = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";

std::string Unescaped(std::string text) {
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at))
        text.replace(at, 2, "\n");
    return text;
}

TEST(OwnServerAddress, OnlyALoopbackPortIsRead) {
    const auto rows = test::DataTable("network/server_address.tsv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& row : rows) {
        const auto parsed = ParseServerAddress(Unescaped(row.at(0)));
        EXPECT_EQ(parsed.value_or("-"), row.at(1)) << row.at(0);
    }
}

class PublishedAddress : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = std::filesystem::temp_directory_path() /
                   ("orbisk-runtime-" + std::to_string(::getpid()));
        std::filesystem::create_directories(runtime_);
        ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_RUNTIME_DIR");
        std::filesystem::remove_all(runtime_);
    }
    std::filesystem::path runtime_;
};

// The built-in address leads to the published port while this account
// listens there, and back to itself once nothing does.
TEST_F(PublishedAddress, LeadsToTheAccountsOwnServerWhileItListens) {
    std::string published;
    {
        test::RawHttpServer listening(kEmptyPage);
        published = listening.Host();
        std::string error;
        ASSERT_TRUE(PublishServerAddress(published, error)) << error;
        EXPECT_EQ(OwnServerHost(kBuiltInServerHost), published);
        EXPECT_EQ(OwnServerHost("maps.example.org:80"), "maps.example.org:80");
        EXPECT_EQ(OwnServerHost("127.0.0.1:8643"), "127.0.0.1:8643");
    }
    EXPECT_EQ(OwnServerHost(kBuiltInServerHost), kBuiltInServerHost);
    WithdrawServerAddress("127.0.0.1:1");
    EXPECT_TRUE(std::filesystem::exists(ServerAddressFile()));
    WithdrawServerAddress(published);
    EXPECT_FALSE(std::filesystem::exists(ServerAddressFile()));
}

// A folder others may enter, or a link to one, is never trusted or written.
TEST_F(PublishedAddress, AFolderOthersMayEnterIsRefused) {
    test::RawHttpServer listening(kEmptyPage);
    const auto folder = ServerAddressFile().parent_path();
    std::filesystem::create_directories(folder);
    std::ofstream(ServerAddressFile()) << listening.Host() << "\n";
    for (const mode_t mode : {0755, 0770, 0701}) {
        ::chmod(folder.c_str(), mode);
        EXPECT_EQ(OwnServerHost(kBuiltInServerHost), kBuiltInServerHost) << std::oct << mode;
        std::string error;
        EXPECT_FALSE(PublishServerAddress(listening.Host(), error)) << std::oct << mode;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory_symlink(runtime_ / "elsewhere", folder);
    std::filesystem::create_directories(runtime_ / "elsewhere");
    std::string error;
    EXPECT_FALSE(PublishServerAddress(listening.Host(), error));
    EXPECT_FALSE(std::filesystem::exists(runtime_ / "elsewhere" / "server-address"));
}

} // namespace
} // namespace orbisk
