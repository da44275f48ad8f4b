// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set_file.h"
#include "temp_dir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

std::string Document(const std::string& markers, const std::string& center = "1\" CenterLng=\"2") {
    return "<DataSet><MarkerSet CenterLat=\"" + center + "\">" + markers + "</MarkerSet></DataSet>";
}

std::string Repeated(const std::string& piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Hostile and damaged files are refused with a reason that names the fault,
// and nothing of them is kept.
TEST_F(MarkerSetFileTest, RefusesHostileFilesSayingWhy) {
    const std::string deep = "<Marker Lat=\"1\" Lng=\"2\">" + Repeated("<Info>", 100000) +
                             Repeated("</Info>", 100000) + "</Marker>";
    const std::pair<std::string, std::string> cases[] = {
        {Document(deep), "too deeply nested"},
        {Document("<Marker Lat=\"nan\" Lng=\"2\"/>"), "marker 1 has latitude \"nan\""},
        {Document("<Marker Lat=\"1\" Lng=\"2\"/><Marker Lat=\"\" Lng=\"2\"/>"),
         "marker 2 has no latitude or no longitude"},
        {Document("<Marker Lng=\"2\"/>"), "marker 1 has no latitude or no longitude"},
        {Document("<Marker Lat=\"1\" Lng=\"2\"/><Marker Lat=\"1\" Lng=\"-\"/>"),
         "marker 2 has longitude \"-\""},
        {Document("", "1\" CenterLng=\"1e400"), "the marker set centre has longitude"},
        {Document(Repeated("<Marker Lat=\"1\" Lng=\"2\"/>", MarkerSet::kMaxMarkers + 1)),
         "more than 250000 markers"},
        {"<html/>", "no marker set"},
    };
    for (const auto& [content, reason] : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        MarkerSet set = SetWith(1, "before");
        std::string why;
        EXPECT_FALSE(MarkerSetFile().ReadFile(set, path, &why)) << reason;
        EXPECT_NE(why.find(reason), std::string::npos) << why;
        EXPECT_TRUE(set.IsEmpty()) << reason;
    }
}

// A FIFO would block an open for reading until a writer came; a directory
// is no file at all. Both are refused at once and leave the set as it was.
TEST_F(MarkerSetFileTest, RefusesSpecialFilesWithoutWaiting) {
    const auto fifo = dir / "pipe.obk";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& special : {fifo, dir.Path()}) {
        MarkerSet set = SetWith(2, "kept");
        std::string why;
        EXPECT_FALSE(MarkerSetFile().ReadFile(set, special, &why));
        EXPECT_EQ(why, "not a regular file");
        EXPECT_EQ(set.Markers().size(), 2u);
    }
}

} // namespace
} // namespace orbisk
