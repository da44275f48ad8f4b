// SPDX-License-Identifier: GPL-3.0-or-later
// A directory nobody can write into, for tests of read-only homes and program folders.
#pragma once

#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbisk::test {

// A directory nobody can write into for the object's lifetime. Permission
// bits do not bind root, so as root the directory is made immutable instead.
class ReadOnlyDirectory {
public:
    explicit ReadOnlyDirectory(std::filesystem::path path) : path_(std::move(path)) {
        std::filesystem::create_directories(path_);
        if (geteuid() != 0) {
            made_ = chmod(path_.c_str(), 0555) == 0;
            return;
        }
        made_ = SetImmutable(true);
    }
    ~ReadOnlyDirectory() {
        if (!made_)
            return;
        if (geteuid() != 0)
            chmod(path_.c_str(), 0755);
        else
            SetImmutable(false);
    }
    // False when this file system cannot make the directory read-only.
    bool Made() const { return made_; }

private:
    bool SetImmutable(bool on) {
        const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return done;
    }

    std::filesystem::path path_;
    bool made_ = false;
};

} // namespace orbisk::test
