#pragma once
// An open file of the index: a loose file read and written directly, or an entry of a shared
// archive read under the index's lock and never past the entry's end.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <memory>

#include "platform/RandomAccessFile.h"

namespace marquill::fileindex {

class FolderIndex;
struct FarArchive;

class FileReader {
  public:
    static FileReader loose(std::string path, std::unique_ptr<platform::RandomAccessFile> file,
                            bool forWriting, FolderIndex* index);
    static FileReader archived(std::string path, const FarArchive& archive, uint32_t offset,
                               uint32_t size, FolderIndex* index);

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] uint64_t size() const { return size_; }
    [[nodiscard]] uint64_t position() const { return position_; }
    [[nodiscard]] bool inArchive() const { return archive_ != nullptr; }
    [[nodiscard]] bool forWriting() const { return forWriting_; }

    [[nodiscard]] size_t read(void* out, size_t size);
    [[nodiscard]] size_t write(const void* data, size_t size);
    [[nodiscard]] bool seek(uint64_t position);
    // The whole data, from the start, whatever the position.
    [[nodiscard]] std::optional<std::vector<uint8_t>> readAll();
    // Length-prefixed strings: one length byte, 255 escaping to a 32-bit length.
    [[nodiscard]] std::optional<std::string> readString(size_t limit = 255);
    [[nodiscard]] bool writeString(std::string_view text);
    // Writes out what was written; loose files only.
    [[nodiscard]] bool flush();

  private:
    FileReader() = default;
    std::string path_;
    std::unique_ptr<platform::RandomAccessFile> file_;
    const FarArchive* archive_ = nullptr;
    uint64_t base_ = 0;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
    bool forWriting_ = false;
    FolderIndex* index_ = nullptr;
};

}  // namespace marquill::fileindex
