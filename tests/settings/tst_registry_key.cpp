// SPDX-License-Identifier: GPL-3.0-or-later
#include "read_only_directory.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orbisk {
namespace {

constexpr auto kRoot = RegistryRoot::CurrentUser;
const std::string kPath = "Software\\Brevant Solutions\\Orbisk\\Settings";

class RegistryKeyTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path store = dir / "config/orbisk/registry.sqlite3";
};

TEST_F(RegistryKeyTest, OpenFailsUntilTheKeyIsCreated) {
    RegistryKey key(store);
    EXPECT_FALSE(key.Open(kRoot, kPath));
    EXPECT_FALSE(std::filesystem::exists(store));
    EXPECT_TRUE(key.Create(kRoot, kPath));
    key.Close();
    EXPECT_TRUE(key.Open(kRoot, kPath));
    EXPECT_TRUE(key.Open(kRoot, "SOFTWARE\\brevant solutions\\ORBISK\\settings"));
    EXPECT_TRUE(key.Open(kRoot, "Software\\Brevant Solutions"));
    EXPECT_FALSE(key.Open(kRoot, "Software\\Other"));
    EXPECT_FALSE(key.Open(kRoot, ""));
    EXPECT_FALSE(key.Open(kRoot, "\\Software"));
}

TEST_F(RegistryKeyTest, TheStoreIsPrivateToTheUser) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    struct stat info {};
    ASSERT_EQ(stat(store.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
    ASSERT_EQ(stat(store.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
}

// A store put in a folder that others share never closes that folder: once,
// a test's store in /tmp took its 1777 away from every other user.
TEST_F(RegistryKeyTest, ASharedFolderKeepsItsMode) {
    const std::filesystem::path shared = dir / "shared";
    std::filesystem::create_directories(shared);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    RegistryKey key(shared / "registry.sqlite3");
    ASSERT_TRUE(key.Create(kRoot, kPath));
    struct stat info {};
    ASSERT_EQ(stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 01777u);
    ASSERT_EQ(stat((shared / "registry.sqlite3").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
}

TEST_F(RegistryKeyTest, StringsRoundTripWithinTheirLimit) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    const std::string longest(255, 'x');
    EXPECT_TRUE(key.WriteString("a", "caf\xC3\xA9"));
    EXPECT_TRUE(key.WriteString("b", longest));
    EXPECT_TRUE(key.WriteString("c", longest + "y"));
    EXPECT_TRUE(key.WriteString("d", std::string("ab\0cd", 5)));
    key.Close();

    ASSERT_TRUE(key.Open(kRoot, kPath));
    std::string text;
    EXPECT_TRUE(key.ReadString("A", text));
    EXPECT_EQ(text, "caf\xC3\xA9");
    EXPECT_TRUE(key.ReadString("b", text));
    EXPECT_EQ(text, longest);
    EXPECT_FALSE(key.ReadString("c", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(key.ReadString("d", text));
    EXPECT_EQ(text, "ab");
    text = "stale";
    EXPECT_FALSE(key.ReadString("missing", text));
    EXPECT_EQ(text, "");
}

// A healthy store in a home that cannot be written is read, not set aside.
TEST_F(RegistryKeyTest, AStoreInAReadOnlyFolderIsRead) {
    {
        RegistryKey key(store);
        ASSERT_TRUE(key.Create(kRoot, kPath));
        ASSERT_TRUE(key.WriteString("MapType", "1"));
    }
    const test::ReadOnlyDirectory locked(store.parent_path());
    if (!locked.Made())
        GTEST_SKIP() << "this file system cannot make a directory read-only";
    EXPECT_FALSE(SetAsideUnreadableStore(store).unreadable);
    RegistryKey key(store);
    ASSERT_TRUE(key.Open(kRoot, kPath));
    std::string text;
    EXPECT_TRUE(key.ReadString("MapType", text));
    EXPECT_EQ(text, "1");
    EXPECT_FALSE(key.WriteString("MapType", "0")) << "nothing is written there";
}

TEST_F(RegistryKeyTest, DwordsAreReadOnlyFromDwordValues) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    EXPECT_TRUE(key.WriteDword("ProxyEnable", 0x01020304));
    EXPECT_TRUE(key.WriteString("Text", "1"));
    uint32_t value = 99;
    EXPECT_TRUE(key.ReadDword("ProxyEnable", value));
    EXPECT_EQ(value, 0x01020304u);
    EXPECT_FALSE(key.ReadDword("Text", value));
    EXPECT_EQ(value, 0u);
    value = 5;
    EXPECT_FALSE(key.ReadDword("Missing", value));
    EXPECT_EQ(value, 0u);
}

TEST_F(RegistryKeyTest, EnumerationKeepsWriteOrderAndStopsAtOversizedValues) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    key.WriteString("zeta", "1");
    key.WriteString("alpha", "2");
    key.WriteString("mid", std::string(511, 'd'));
    key.WriteString("zeta", "3"); // rewriting keeps the place
    std::vector<RegistryValue> values;
    EXPECT_EQ(key.EnumerateValues(values), RegistryStatus::NoMoreItems);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].name, "zeta");
    EXPECT_EQ(values[0].data, "3");
    EXPECT_EQ(values[1].name, "alpha");
    EXPECT_EQ(values[2].data.size(), 511u);

    key.WriteString("big", std::string(512, 'd'));
    key.WriteString("after", "x");
    EXPECT_EQ(key.EnumerateValues(values), RegistryStatus::MoreData);
    EXPECT_EQ(values.size(), 3u);
}

TEST_F(RegistryKeyTest, EnumerationStopsAtAnOverlongName) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    key.WriteString(std::string(255, 'n'), "fits");
    key.WriteString(std::string(256, 'n'), "too long");
    std::vector<RegistryValue> values;
    EXPECT_EQ(key.EnumerateValues(values), RegistryStatus::MoreData);
    EXPECT_EQ(values.size(), 1u);
    RegistryKey closed(store);
    EXPECT_EQ(closed.EnumerateValues(values), RegistryStatus::Failed);
    EXPECT_TRUE(values.empty());
}

TEST_F(RegistryKeyTest, DeleteKeyRemovesValuesButNotKeysWithSubkeys) {
    RegistryKey key(store);
    ASSERT_TRUE(key.Create(kRoot, kPath));
    key.WriteString("1", "10");
    key.Close();
    EXPECT_FALSE(key.DeleteKey(kRoot, "Software\\Brevant Solutions"));
    EXPECT_TRUE(key.Open(kRoot, kPath));
    key.Close();
    EXPECT_TRUE(key.DeleteKey(kRoot, kPath));
    EXPECT_FALSE(key.DeleteKey(kRoot, kPath));
    EXPECT_FALSE(key.Open(kRoot, kPath));
    ASSERT_TRUE(key.Create(kRoot, kPath));
    std::vector<RegistryValue> values;
    key.EnumerateValues(values);
    EXPECT_TRUE(values.empty());
}

TEST_F(RegistryKeyTest, WritesFailWithoutAnOpenKey) {
    RegistryKey key(store);
    EXPECT_FALSE(key.WriteString("a", "b"));
    EXPECT_FALSE(key.WriteDword("a", 1));
    std::string text;
    EXPECT_FALSE(key.ReadString("a", text));
}

TEST_F(RegistryKeyTest, ATransactionClosedWithoutCommitChangesNothing) {
    {
        RegistryKey key(store);
        ASSERT_TRUE(key.Create(kRoot, kPath));
        key.WriteString("kept", "yes");
    }
    {
        RegistryKey key(store);
        ASSERT_TRUE(key.BeginTransaction());
        EXPECT_TRUE(key.DeleteKey(kRoot, kPath));
        ASSERT_TRUE(key.Create(kRoot, kPath));
        key.WriteString("new", "value");
    }
    RegistryKey key(store);
    ASSERT_TRUE(key.Open(kRoot, kPath));
    std::vector<RegistryValue> values;
    key.EnumerateValues(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "kept");
}

TEST_F(RegistryKeyTest, AFileThatIsNotAStoreIsRefusedQuietly) {
    std::filesystem::create_directories(store.parent_path());
    std::ofstream(store) << "this is not a database, just some text the user left here";
    RegistryKey key(store);
    EXPECT_FALSE(key.Open(kRoot, kPath));
    EXPECT_FALSE(key.Create(kRoot, kPath));
    EXPECT_FALSE(key.BeginTransaction());
}

TEST(RegistryKeyLocation, FollowsXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(RegistryKey::DefaultStoreFile(), "/tmp/cfg/orbisk/registry.sqlite3");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(RegistryKey::DefaultStoreFile(), "/home/someone/.config/orbisk/registry.sqlite3");
    setenv("HOME", home.c_str(), 1);
    if (saved)
        setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace orbisk
