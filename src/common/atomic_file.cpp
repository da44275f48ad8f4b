// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbisk {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return false;
        written += static_cast<size_t>(step);
    }
    return true;
}

// The mode a plain new file would get, or the existing file's.
mode_t TargetMode(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::filesystem::path WriteFileBeside(const std::filesystem::path& target, const std::string& bytes,
                                      const std::string& tag, std::string* error) {
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary =
        (directory / ("." + target.filename().string() + tag + "XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        if (error)
            *error = std::strerror(errno);
        return {};
    }
    int number = 0;
    if (::fchmod(fd, TargetMode(target)) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
        number = errno ? errno : EIO;
    if (::close(fd) != 0 && number == 0)
        number = errno;
    if (number != 0) {
        ::unlink(temporary.c_str());
        if (error)
            *error = std::strerror(number);
        return {};
    }
    return temporary;
}

bool WriteFileAtomically(const std::filesystem::path& target, const std::string& bytes,
                         std::string* error) {
    const std::filesystem::path temporary = WriteFileBeside(target, bytes, ".", error);
    if (temporary.empty())
        return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int number = errno;
        ::unlink(temporary.c_str());
        if (error)
            *error = std::strerror(number);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, size_t maxBytes, std::string& content,
                   std::string* error) {
    const auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    // Non-blocking, so that opening a FIFO cannot wait for a writer; the
    // descriptor is checked before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return fail(std::strerror(errno));
    struct stat info {};
    const bool isFile = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!isFile || static_cast<size_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return fail(isFile ? "larger than " + std::to_string(maxBytes) + " bytes"
                           : std::string("not a regular file"));
    }
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    size_t read = 0;
    while (read < bytes.size()) {
        const ssize_t step = ::read(fd, bytes.data() + read, bytes.size() - read);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        read += static_cast<size_t>(step);
    }
    ::close(fd);
    if (read < bytes.size())
        return fail("it changed while it was read");
    content = std::move(bytes);
    return true;
}

} // namespace orbisk
