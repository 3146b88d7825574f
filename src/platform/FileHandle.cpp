#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace marquill::platform {

std::optional<FileHandle> FileHandle::open(const std::string& path, Access access) {
    int flags = (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return FileHandle(fd);
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

size_t FileHandle::readAt(uint64_t offset, void* out, size_t size) const {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd_, static_cast<char*>(out) + done, size - done,
                            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t FileHandle::writeAt(uint64_t offset, const void* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pwrite(fd_, static_cast<const char*>(data) + done, size - done,
                             static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

uint64_t FileHandle::size() const {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

bool FileHandle::flush() {
    return ::fsync(fd_) == 0 || errno == EINVAL;
}

}  // namespace marquill::platform
