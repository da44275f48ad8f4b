// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace orbisk {

// Writes `bytes` to a new file beside `target` and renames it over the target,
// so that a failed or interrupted write never leaves the old file damaged or a
// truncated new one. A file that existed keeps its permissions.
bool WriteFileAtomically(const std::filesystem::path& target, const std::string& bytes,
                         std::string* error = nullptr);

// Writes `bytes` to a new file beside `target`, named "." + its name + `tag`
// and six random characters, with the mode the target would keep; its path,
// or an empty path when it could not be written whole (nothing is left then).
std::filesystem::path WriteFileBeside(const std::filesystem::path& target, const std::string& bytes,
                                      const std::string& tag, std::string* error = nullptr);

// The whole file, or false when it cannot be read, is no regular file or is
// larger than `maxBytes`, with the reason in `error` when given. A FIFO or
// device is refused without waiting for a writer.
bool ReadWholeFile(const std::filesystem::path& path, size_t maxBytes, std::string& content,
                   std::string* error = nullptr);

} // namespace orbisk
