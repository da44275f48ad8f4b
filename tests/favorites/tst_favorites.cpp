// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_store.h"
#include "settings/registry_key.h"
#include "settings/settings_store.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace orbisk {
namespace {

Favorite Numbered(int i) {
    return {"Place " + std::to_string(i), "SH=1&NS=3&ZIP=" + std::to_string(20500 + i)};
}

TEST(FavoritesList, KeepsWithinItsMaximum) {
    FavoritesList list;
    EXPECT_EQ(list.Maximum(), 10);
    EXPECT_TRUE(list.SetMaximum(25));
    EXPECT_FALSE(list.SetMaximum(26));
    EXPECT_EQ(list.Maximum(), 25);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(list.Add(Numbered(i)), i);
    EXPECT_TRUE(list.SetMaximum(4));
    EXPECT_EQ(list.Maximum(), 7) << "never below the count";
    EXPECT_EQ(list.Add(Numbered(7)), -1);
    EXPECT_EQ(list.Count(), 7);
    EXPECT_TRUE(list.RemoveAt(2));
    EXPECT_EQ(list.Add(Numbered(8)), 6);
}

TEST(FavoritesList, AddressesPositionsSafely) {
    FavoritesList list;
    list.Add(Numbered(0));
    list.Add(Numbered(1));
    Favorite favorite;
    EXPECT_FALSE(list.GetAt(-1, favorite));
    EXPECT_FALSE(list.GetAt(2, favorite));
    EXPECT_FALSE(list.RemoveAt(2));
    EXPECT_FALSE(list.Rename(-1, "x"));
    EXPECT_TRUE(list.Rename(1, "Home"));
    ASSERT_TRUE(list.GetAt(1, favorite));
    EXPECT_EQ(favorite, (Favorite{"Home", Numbered(1).parameters}));
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Maximum(), 10);
}

class FavoritesStoreTest : public ::testing::Test {
protected:
    std::vector<RegistryValue> Stored() {
        RegistryKey key(file);
        std::vector<RegistryValue> values;
        if (key.Open(RegistryRoot::CurrentUser, FavoritesStore::kKeyPath))
            key.EnumerateValues(values, 1 << 20, 1 << 20);
        return values;
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "registry.sqlite3";
    FavoritesList list;
    FavoritesStore store{list, file};
};

TEST_F(FavoritesStoreTest, NoKeyGivesAnEmptyList) {
    store.Load();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Maximum(), 10);
}

TEST_F(FavoritesStoreTest, SavesUnderNumberedNamesAndLoadsInOrder) {
    list.Add({"Zip code(postal code): 20502", "SH=1&NS=3&ZIP=20502&LAT=&LNG="});
    list.Add({"12-34 - Main St", "SH=2"});
    ASSERT_TRUE(store.Save());
    const auto values = Stored();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "  0-Zip code(postal code): 20502");
    EXPECT_EQ(values[1].name, "  1-12-34 - Main St");
    EXPECT_EQ(values[1].data, "SH=2");
    FavoritesList reloaded;
    FavoritesStore(reloaded, file).Load();
    EXPECT_EQ(reloaded.Items(), list.Items());
}

TEST_F(FavoritesStoreTest, ASaveLeavesExactlyTheCurrentFavorites) {
    for (int i = 0; i < 5; ++i)
        list.Add(Numbered(i));
    store.Save();
    list.RemoveAt(2);
    list.Rename(0, "Renamed");
    store.Save();
    const auto values = Stored();
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0].name, "  0-Renamed");
    EXPECT_EQ(values[3].name, "  3-Place 4");
}

TEST_F(FavoritesStoreTest, NothingStoredIsLostToTheMaximumOrToLength) {
    list.SetMaximum(25);
    for (int i = 0; i < 14; ++i)
        list.Add(Numbered(i));
    const std::string longTitle(600, 't');
    const std::string longParameters = "SH=3&INFO=" + std::string(5000, 'p');
    list.Add({longTitle, longParameters});
    ASSERT_TRUE(store.Save());

    FavoritesList reloaded; // maximum 10, as at start-up before the settings
    FavoritesStore(reloaded, file).Load();
    ASSERT_EQ(reloaded.Count(), 15);
    EXPECT_EQ(reloaded.Maximum(), 15);
    EXPECT_EQ(reloaded.Items().back(), (Favorite{longTitle, longParameters}));
    EXPECT_TRUE(reloaded.SetMaximum(10));
    EXPECT_EQ(reloaded.Maximum(), 15);
    ASSERT_TRUE(FavoritesStore(reloaded, file).Save());
    EXPECT_EQ(Stored().size(), 15u);
}

// Two running copies on one store: neither's save undoes what the other
// added or deleted since it last loaded or saved.
TEST_F(FavoritesStoreTest, TwoCopiesKeepEachOthersChanges) {
    list.Add(Numbered(0));
    ASSERT_TRUE(store.Save());
    FavoritesList other;
    FavoritesStore otherStore(other, file);
    otherStore.Load();
    list.Add(Numbered(1));
    ASSERT_TRUE(store.Save());
    other.Add(Numbered(2));
    ASSERT_TRUE(otherStore.Save());
    EXPECT_EQ(other.Items(), (std::vector<Favorite>{Numbered(0), Numbered(2), Numbered(1)}));
    other.RemoveAt(0);
    ASSERT_TRUE(otherStore.Save());
    list.Rename(1, "Renamed");
    ASSERT_TRUE(store.Save());
    const Favorite renamed{"Renamed", Numbered(1).parameters};
    EXPECT_EQ(list.Items(), (std::vector<Favorite>{renamed, Numbered(2)}));
    const auto values = Stored();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "  0-Renamed");
    EXPECT_EQ(values[1].name, "  1-Place 2");
}

TEST_F(FavoritesStoreTest, ShortNamesLoadWithAnEmptyTitle) {
    RegistryKey key(file);
    ASSERT_TRUE(key.Create(RegistryRoot::CurrentUser, FavoritesStore::kKeyPath));
    key.WriteString("  0-", "a");
    key.WriteString("x", "b");
    key.WriteString("  7-Seven", "c");
    key.Close();
    store.Load();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items()[0], (Favorite{"", "a"}));
    EXPECT_EQ(list.Items()[1], (Favorite{"", "b"}));
    EXPECT_EQ(list.Items()[2].title, "Seven");
}

// Two running copies saving their favorites and settings at once: every load
// sees one copy's whole list, never a mix, and the settings stay whole too.
// Each save is whole: every writer's favorites are there entirely or not at all.
TEST_F(FavoritesStoreTest, TwoProcessesSavingAtOnceLeaveWholeLists) {
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            FavoritesList mine;
            mine.SetMaximum(10);
            for (int i = 0; i < 3 + 4 * writer; ++i)
                mine.Add({"Writer " + std::to_string(writer), "SH=1&ZIP=" + std::to_string(i)});
            FavoritesStore favorites(mine, file);
            SettingsStore settings(file);
            for (int round = 0; round < 40; ++round) {
                for (int index = 1; index <= 5; ++index)
                    settings.Set(index, writer + 1);
                if (!settings.Save())
                    _exit(10 + round);
                if (!favorites.Save())
                    _exit(100 + round);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    const auto checkWhole = [&] {
        FavoritesList loaded;
        FavoritesStore(loaded, file).Load();
        if (loaded.Count() == 0)
            return; // nothing saved yet; settings are saved before favorites
        std::map<std::string, int> perWriter;
        for (const Favorite& favorite : loaded.Items())
            ++perWriter[favorite.title];
        for (const auto& [owner, count] : perWriter)
            EXPECT_EQ(count, owner == "Writer 0" ? 3 : 7) << owner;
        SettingsStore settings(file);
        settings.Load();
        for (int index = 2; index <= 5; ++index)
            EXPECT_EQ(settings.Get(index), settings.Get(1));
    };
    for (int check = 0; check < 60; ++check)
        checkWhole();
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    }
    checkWhole();
}

} // namespace
} // namespace orbisk
