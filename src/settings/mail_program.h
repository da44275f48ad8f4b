// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace orbisk {

// Whether a desktop entry, given as its text, is a mail program: an e-mail
// application, or one that takes mailto links and is no web browser (which
// would only open an empty tab).
bool IsMailProgramEntry(const std::string& entryText);

// The desktop entry file of that name (as "xdg-mime query default" names
// it) in the user's and the system's application folders, and its text;
// false when there is none.
bool FindDesktopEntry(const std::string& fileName, std::filesystem::path& entry, std::string& text);

// Whether the desktop entry of that name is found and is a mail program.
bool NamesAMailProgram(const std::string& desktopFileName);

} // namespace orbisk
