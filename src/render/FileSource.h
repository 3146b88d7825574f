#pragma once
// What the renderer needs from the file index: file types registered with their extensions, and
// a file's bytes found by name on a search path ("A; B; C", folders tried in order).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marquill::render {

struct FoundFile {
    enum class Status { Found, NotFound, OtherType };
    Status status = Status::NotFound;
    std::vector<uint8_t> bytes;
};

class FileSource {
  public:
    virtual ~FileSource() = default;
    // Registers a type (four characters) with one extension; registering again changes nothing.
    virtual void registerFileType(std::string_view type, std::string_view extension) = 0;
    // Finds `name` (with or without extension) on `searchPath` as a file of `type`.
    [[nodiscard]] virtual FoundFile find(std::string_view name, std::string_view searchPath,
                                         std::string_view type) = 0;
};

}  // namespace marquill::render
