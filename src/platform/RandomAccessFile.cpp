#include "platform/RandomAccessFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace marquill::platform {

RandomAccessFile::~RandomAccessFile() {
    Close();
}

bool RandomAccessFile::Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool RandomAccessFile::IsWritableOnDisk(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

RandomAccessFile::CreateResult RandomAccessFile::Create(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST ? CreateResult::AlreadyExists : CreateResult::Failed;
    return ::close(fd) == 0 ? CreateResult::Created : CreateResult::Failed;
}

bool RandomAccessFile::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool RandomAccessFile::Open(const std::string& path, Mode mode) {
    Close();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    fd_ = ::open(path.c_str(), (mode == Mode::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    return fd_ >= 0;
}

bool RandomAccessFile::Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

std::optional<size_t> RandomAccessFile::ReadAt(uint64_t offset, void* data, size_t size) {
    if (fd_ < 0 || offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max()))
        return std::nullopt;
    size_t done = 0;
    auto* out = static_cast<uint8_t*>(data);
    while (done < size) {
        ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

std::optional<size_t> RandomAccessFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (fd_ < 0 || offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max()))
        return std::nullopt;
    size_t done = 0;
    const auto* in = static_cast<const uint8_t*>(data);
    while (done < size) {
        ssize_t n = ::pwrite(fd_, in + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool RandomAccessFile::Sync() {
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

std::optional<uint64_t> RandomAccessFile::Length() {
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool RandomAccessFile::SetLength(uint64_t length) {
    return fd_ >= 0 && length <= static_cast<uint64_t>(std::numeric_limits<off_t>::max()) &&
           ::ftruncate(fd_, static_cast<off_t>(length)) == 0;
}

}  // namespace marquill::platform
