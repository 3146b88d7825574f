#pragma once
// A whole file mapped read-only into memory; the mapping lives as long as the object.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace marquill::platform {

class MappedFile {
  public:
    [[nodiscard]] static std::optional<MappedFile> open(const std::string& path);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    [[nodiscard]] std::span<const uint8_t> bytes() const { return {data_, size_}; }

  private:
    MappedFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace marquill::platform
