#pragma once
// An open file read and written at explicit positions, so several readers can share nothing but
// the handle.
#include <cstdint>
#include <optional>
#include <string>

namespace marquill::platform {

class FileHandle {
  public:
    enum class Access { ReadOnly, ReadWrite };
    [[nodiscard]] static std::optional<FileHandle> open(const std::string& path, Access access);
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Bytes transferred; fewer than asked at the end of the file or on an error.
    [[nodiscard]] size_t readAt(uint64_t offset, void* out, size_t size) const;
    [[nodiscard]] size_t writeAt(uint64_t offset, const void* data, size_t size);
    [[nodiscard]] uint64_t size() const;
    [[nodiscard]] bool flush();

  private:
    explicit FileHandle(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace marquill::platform
