#pragma once
// A plain file read and written at absolute offsets, for formats modified in place.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace marquill::platform {

class RandomAccessFile {
  public:
    enum class Mode { ReadOnly, ReadWrite };
    enum class CreateResult { Created, AlreadyExists, Failed };

    RandomAccessFile() = default;
    ~RandomAccessFile();
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;

    [[nodiscard]] static bool Exists(const std::string& path);
    [[nodiscard]] static bool IsWritableOnDisk(const std::string& path);
    // Creates an empty file; never replaces an existing one.
    [[nodiscard]] static CreateResult Create(const std::string& path);
    [[nodiscard]] static bool Remove(const std::string& path);

    [[nodiscard]] bool Open(const std::string& path, Mode mode);
    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    // False when the descriptor could not be closed cleanly (data may be lost).
    bool Close();

    // The number of bytes transferred (short at the end of the file), none on an error.
    [[nodiscard]] std::optional<size_t> ReadAt(uint64_t offset, void* data, size_t size);
    [[nodiscard]] std::optional<size_t> WriteAt(uint64_t offset, const void* data, size_t size);
    // Waits until what was written is on the disk.
    [[nodiscard]] bool Sync();
    [[nodiscard]] std::optional<uint64_t> Length();
    [[nodiscard]] bool SetLength(uint64_t length);

  private:
    int fd_ = -1;
};

}  // namespace marquill::platform
