#include "markers/marker_set_file.h"
#include "temp_dir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbisk {
namespace {

MarkerSet SetWith(int markers, const std::string& title) {
    MarkerSet set;
    set.title = title;
    for (int i = 0; i < markers; ++i) {
        Marker marker;
        marker.lat = std::to_string(40 + i * 0.001);
        marker.lng = std::to_string(-75 - i * 0.001);
        marker.title = "Marker " + std::to_string(i);
        marker.infoLines = {"detail", "", "", ""};
        set.AddMarker(marker);
    }
    return set;
}

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class MarkerSetFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path path = dir / "Trip.obk";
};

TEST_F(MarkerSetFileTest, SaveLoadSaveGivesTheSameFile) {
    const MarkerSet saved = SetWith(3, "Trip & more");
    ASSERT_TRUE(MarkerSetFile().WriteFile(saved, path));
    EXPECT_EQ(Contents(path), saved.ToXml()) << "exactly the document: no BOM, no terminator";
    MarkerSet loaded;
    ASSERT_TRUE(MarkerSetFile().ReadFile(loaded, path));
    EXPECT_EQ(loaded.Markers(), saved.Markers());
    ASSERT_TRUE(MarkerSetFile().WriteFile(loaded, dir / "again.obk"));
    EXPECT_EQ(Contents(dir / "again.obk"), Contents(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2)
        << "no temporary files left";
}

TEST_F(MarkerSetFileTest, ReadingStopsAtTheFirstZeroByte) {
    std::ofstream(path, std::ios::binary) << SetWith(1, "z").ToXml() << std::string("\0garbage", 8);
    MarkerSet set;
    EXPECT_TRUE(MarkerSetFile().ReadFile(set, path));
}

TEST_F(MarkerSetFileTest, AFileThatCannotBeReadLeavesTheSetUntouched) {
    MarkerSet set = SetWith(2, "kept");
    EXPECT_FALSE(MarkerSetFile().ReadFile(set, dir / "missing.obk"));
    EXPECT_FALSE(MarkerSetFile().ReadFile(set, dir.Path()));
    std::ofstream(path).close();
    std::filesystem::resize_file(path, MarkerSetFile::kMaxFileBytes + 1);
    EXPECT_FALSE(MarkerSetFile().ReadFile(set, path)) << "larger than any marker set";
    EXPECT_EQ(set.Markers().size(), 2u);
    EXPECT_EQ(set.title, "kept");

    std::ofstream(path, std::ios::trunc) << "<html>not a marker set</html>";
    EXPECT_FALSE(MarkerSetFile().ReadFile(set, path));
    EXPECT_TRUE(set.IsEmpty()) << "a file that was read but is no marker set clears";
}

TEST_F(MarkerSetFileTest, AFailedWriteKeepsThePreviousFile) {
    ASSERT_TRUE(MarkerSetFile().WriteFile(SetWith(1, "old"), path));
    const std::string before = Contents(path);
    // The child may write only 4 KiB per file, so the big save fails half way.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(MarkerSetFile().WriteFile(SetWith(500, "new"), path) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save must report its failure";
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// A program killed at any moment of a save leaves either the old file or the
// new one, whole, never a mix or a truncated file.
TEST_F(MarkerSetFileTest, AKillDuringASaveLeavesAWholeFile) {
    ASSERT_TRUE(MarkerSetFile().WriteFile(SetWith(3000, "old"), path.string()));
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const MarkerSet fresh = SetWith(3000, "new " + std::to_string(round));
            for (;;)
                MarkerSetFile().WriteFile(fresh, path.string());
        }
        usleep(3000 + 2500 * round);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        MarkerSet read;
        ASSERT_TRUE(MarkerSetFile().ReadFile(read, path.string())) << "round " << round;
        EXPECT_EQ(read.Markers().size(), 3000u);
        EXPECT_TRUE(read.title == "old" || read.title.rfind("new ", 0) == 0) << read.title;
    }
}

TEST_F(MarkerSetFileTest, WritingIntoAMissingDirectoryFails) {
    EXPECT_FALSE(MarkerSetFile().WriteFile(SetWith(1, "x"), dir / "MarkerSets" / "ForSend.obk"));
}

TEST_F(MarkerSetFileTest, ASavedFileKeepsItsPermissions) {
    ASSERT_TRUE(MarkerSetFile().WriteFile(SetWith(1, "x"), path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    ASSERT_TRUE(MarkerSetFile().WriteFile(SetWith(2, "y"), path));
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

} // namespace
} // namespace orbisk
