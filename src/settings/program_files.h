// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace orbisk {

// Where a program file such as "\Map.dat" or "\MarkerSets\ForSend.obk" is
// read and written. A writable program directory (the build tree, the tests)
// holds them all, as it always did. An installed, read-only one keeps what
// came with the program, and what the program writes goes to the user's data
// directory under the same relative name; reads look there first.
class ProgramFiles {
public:
    ProgramFiles() = default;
    // Probes whether `programDirectory` can be written; the user's directory
    // is UserDataDirectory().
    explicit ProgramFiles(std::string programDirectory);
    ProgramFiles(std::string programDirectory, std::filesystem::path userDirectory,
                 bool programDirectoryWritable);

    const std::string& ProgramDirectory() const { return programDirectory_; }
    bool ProgramDirectoryWritable() const { return writable_; }

    // The user's copy when the program directory is read-only and one
    // exists, else the program directory's.
    std::filesystem::path ForReading(const std::string& name) const;
    // In the program directory when it is writable; else in the user's
    // directory, whose folders are created on the way. A name that would
    // climb out of either directory is refused with "".
    std::filesystem::path ForWriting(const std::string& name) const;

    // $XDG_DATA_HOME/orbisk when XDG_DATA_HOME is an absolute path, else
    // $HOME/.local/share/orbisk; "" without either.
    static std::filesystem::path UserDataDirectory();

private:
    std::filesystem::path InUserDirectory(const std::string& name) const;

    std::string programDirectory_;
    std::filesystem::path userDirectory_;
    bool writable_ = true;
};

} // namespace orbisk
