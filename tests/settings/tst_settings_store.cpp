// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registry_key.h"
#include "settings/settings_store.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbisk {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    // Writes raw values into the settings key, as another program might have.
    void WriteRaw(const std::vector<std::pair<std::string, std::string>>& values) {
        RegistryKey key(store);
        ASSERT_TRUE(key.Create(RegistryRoot::CurrentUser, SettingsStore::kKeyPath));
        for (const auto& [name, data] : values)
            key.WriteString(name, data);
    }

    std::vector<RegistryValue> RawValues() {
        RegistryKey key(store);
        std::vector<RegistryValue> values;
        if (key.Open(RegistryRoot::CurrentUser, SettingsStore::kKeyPath))
            key.EnumerateValues(values);
        return values;
    }

    std::vector<int> Loaded() {
        SettingsStore settings(store);
        settings.Load();
        return {settings.Get(1), settings.Get(2), settings.Get(3), settings.Get(4),
                settings.Get(5)};
    }

    test::TempDir dir;
    std::filesystem::path store = dir / "orbisk/registry.sqlite3";
};

TEST_F(SettingsStoreTest, AFirstRunHasTheDefaultsAndTheirFragment) {
    SettingsStore settings(store);
    settings.Load();
    EXPECT_EQ(Loaded(), (std::vector<int>{10, 1, 0, 1, 6}));
    EXPECT_EQ(settings.MapRequestFragment(), "&MAPT=1&MAPC=0&ZOOM=6&VER=1.10");
    EXPECT_EQ(settings.Get(0), 0);
    EXPECT_EQ(settings.Get(6), 0);
}

TEST_F(SettingsStoreTest, LoadReadsNamesAndDataByTheirLeadingInteger) {
    WriteRaw({{"5", "12"},
              {"0", "99"},
              {"6", "99"},
              {"-1", "99"},
              {"zoom", "99"},
              {"3", "abc"},
              {"4", "7"},
              {" 2x", "  2 of them"}});
    EXPECT_EQ(Loaded(), (std::vector<int>{10, 2, 0, 7, 12}));
    SettingsStore settings(store);
    settings.Load();
    EXPECT_EQ(settings.MapRequestFragment(), "&MAPT=7&MAPC=0&ZOOM=12&VER=1.10");
}

TEST_F(SettingsStoreTest, LaterValuesOfTheSameIndexWin) {
    WriteRaw({{"5", "3"}, {"05", "4"}});
    EXPECT_EQ(Loaded()[4], 4);
}

TEST_F(SettingsStoreTest, SaveLeavesExactlyTheFiveSettings) {
    WriteRaw({{"junk", "x"}, {"5", "1"}, {"7", "7"}});
    SettingsStore settings(store);
    settings.Set(1, 25);
    settings.Set(5, 16);
    settings.Set(4, 0);
    ASSERT_TRUE(settings.Save());
    const auto values = RawValues();
    ASSERT_EQ(values.size(), 5u);
    const char* names[] = {"1", "2", "3", "4", "5"};
    const char* data[] = {"25", "1", "0", "0", "16"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(values[i].name, names[i]);
        EXPECT_EQ(values[i].data, data[i]);
    }
    EXPECT_EQ(Loaded(), (std::vector<int>{25, 1, 0, 0, 16}));
}

TEST_F(SettingsStoreTest, AnUnusableStoreKeepsTheCurrentValues) {
    std::filesystem::create_directories(store);
    SettingsStore settings(store);
    settings.Set(5, 9);
    settings.Load();
    EXPECT_EQ(settings.Get(5), 9);
    EXPECT_FALSE(settings.Save());
}

// Two programs saving at once: every load, during and after, sees one whole set.
TEST_F(SettingsStoreTest, TwoProcessesSavingAtOnceLeaveOneConsistentSet) {
    SettingsStore initial(store);
    for (int index = 1; index <= 5; ++index)
        initial.Set(index, 1);
    ASSERT_TRUE(initial.Save());
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SettingsStore settings(store);
            for (int round = 0; round < 60; ++round) {
                const int value = 1000 * (writer + 1) + round;
                for (int index = 1; index <= 5; ++index)
                    settings.Set(index, value);
                if (!settings.Save())
                    _exit(1);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    for (int check = 0; check < 100; ++check) {
        const auto values = Loaded();
        for (int value : values)
            ASSERT_EQ(value, values[0]) << "a load saw a half-written set";
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto values = RawValues();
    ASSERT_EQ(values.size(), 5u);
    const auto last = Loaded();
    EXPECT_TRUE(last[0] == 1059 || last[0] == 2059) << last[0];
    for (int value : last)
        EXPECT_EQ(value, last[0]);
}

} // namespace
} // namespace orbisk
