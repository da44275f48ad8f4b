// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_files.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

// A program directory with Map.dat, and a user directory that may hold its own copy.
class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(program);
        std::ofstream(program / "Map.dat") << "installed";
    }
    test::TempDir dir;
    std::filesystem::path program = dir / "lib";
    std::filesystem::path user = dir / "share" / "orbisk";
};

TEST_F(ProgramFilesTest, AReadOnlyProgramDirectoryReadsAndWritesTheUsersCopy) {
    const ProgramFiles writable(program.string(), user, true);
    const ProgramFiles readOnly(program.string(), user, false);
    EXPECT_EQ(writable.ForReading("\\Map.dat"), program / "Map.dat");
    EXPECT_EQ(readOnly.ForReading("\\Map.dat"), program / "Map.dat") << "no copy of its own yet";
    EXPECT_EQ(writable.ForWriting("\\MarkerSets\\Current.obk"), program / "MarkerSets/Current.obk");
    EXPECT_FALSE(std::filesystem::exists(user));

    EXPECT_EQ(readOnly.ForWriting("\\MarkerSets\\Current.obk"), user / "MarkerSets/Current.obk");
    EXPECT_TRUE(std::filesystem::is_directory(user / "MarkerSets")) << "the dialogs' first folder";
    EXPECT_EQ(readOnly.ForWriting("\\Map.dat"), user / "Map.dat");
    std::ofstream(user / "Map.dat") << "downloaded";
    EXPECT_EQ(readOnly.ForReading("\\Map.dat"), user / "Map.dat");
    EXPECT_EQ(writable.ForReading("\\Map.dat"), program / "Map.dat");
    for (const char* climbing : {"\\..\\..\\etc\\passwd", "\\MarkerSets\\..\\..\\x.dat", "\\"})
        EXPECT_EQ(readOnly.ForWriting(climbing), "") << climbing;
    EXPECT_EQ(ProgramFiles(program.string(), "", false).ForWriting("\\Map.dat"), "");
}

TEST_F(ProgramFilesTest, TheUsersDirectoryFollowsXdgDataHome) {
    const char* saved[] = {getenv("XDG_DATA_HOME"), getenv("HOME")};
    const std::string keep[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : ""};
    setenv("HOME", "/home/ada", 1);
    setenv("XDG_DATA_HOME", "/data/ada", 1);
    EXPECT_EQ(ProgramFiles::UserDataDirectory(), "/data/ada/orbisk");
    setenv("XDG_DATA_HOME", "relative/dir",
           1); // not absolute: ignored, as the base directory rules say
    EXPECT_EQ(ProgramFiles::UserDataDirectory(), "/home/ada/.local/share/orbisk");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ProgramFiles::UserDataDirectory(), "/home/ada/.local/share/orbisk");
    unsetenv("HOME");
    EXPECT_EQ(ProgramFiles::UserDataDirectory(), "");
    EXPECT_TRUE(ProgramFiles(program.string()).ProgramDirectoryWritable());
    EXPECT_FALSE(ProgramFiles("").ProgramDirectoryWritable());
    for (int i = 0; i < 2; ++i)
        if (saved[i])
            setenv(i == 0 ? "XDG_DATA_HOME" : "HOME", keep[i].c_str(), 1);
}

} // namespace
} // namespace orbisk
