// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/mail_program.h"
#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

// Desktop entries as mail programs and web browsers write them.
TEST(MailProgram, AMailProgramIsNoWebBrowser) {
    const std::pair<const char*, bool> cases[] = {
        {"[Desktop Entry]\nName=Mail\nCategories=Network;Email;\n", true},
        {"[Desktop Entry]\nCategories=Office;\nMimeType=message/rfc822;x-scheme-handler/mailto;\n",
         true},
        {"[Desktop Entry]\nCategories=Network;WebBrowser;\nMimeType=x-scheme-handler/mailto;\n",
         false},
        {"[Desktop Entry]\nMimeType=text/html;x-scheme-handler/http;x-scheme-handler/mailto;\n",
         false},
        {"[Desktop Entry]\nCategories=Utility;\n", false},
        {"[Desktop Action compose]\nCategories=Email;\n[Desktop Entry]\nCategories=Game;\n", false},
        {"", false},
    };
    for (const auto& [entry, mail] : cases)
        EXPECT_EQ(IsMailProgramEntry(entry), mail) << entry;
}

TEST(MailProgram, DesktopEntriesAreFoundInTheUsersFolderFirst) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "home/applications");
    std::filesystem::create_directories(dir / "system/applications");
    std::ofstream(dir / "home/applications/mail.desktop") << "[Desktop Entry]\n";
    std::ofstream(dir / "system/applications/mail.desktop") << "[Desktop Entry]\n";
    std::ofstream(dir / "system/applications/other.desktop") << "[Desktop Entry]\n";
    ::setenv("XDG_DATA_HOME", (dir / "home").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (dir / "system").c_str(), 1);
    std::filesystem::path entry;
    std::string text;
    ASSERT_TRUE(FindDesktopEntry("mail.desktop", entry, text));
    EXPECT_EQ(entry, dir / "home/applications/mail.desktop");
    ASSERT_TRUE(FindDesktopEntry("other.desktop", entry, text));
    EXPECT_EQ(entry, dir / "system/applications/other.desktop");
    EXPECT_EQ(text, "[Desktop Entry]\n");
    for (const char* name : {"", "none.desktop", "../applications/mail.desktop"})
        EXPECT_FALSE(FindDesktopEntry(name, entry, text)) << name;
}

} // namespace
} // namespace orbisk
