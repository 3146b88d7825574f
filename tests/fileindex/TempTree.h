#pragma once
// A scratch folder tree for index tests, removed at the end of the test.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::testing {

class TempTree {
  public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mqidx-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
    }
    ~TempTree() { std::filesystem::remove_all(root_); }
    [[nodiscard]] const std::string& root() const { return root_; }
    void file(const std::string& relative, const std::string& content) {
        auto p = std::filesystem::path(root_) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    void folder(const std::string& relative) {
        std::filesystem::create_directories(std::filesystem::path(root_) / relative);
    }
    [[nodiscard]] bool has(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::path(root_) / relative);
    }

  private:
    std::string root_;
};

// A FAR archive holding the given (name, data) entries.
inline std::string farBytes(const std::vector<std::pair<std::string, std::string>>& entries) {
    platform::VectorSink sink;
    sink.text("FAR!byAZ");
    sink.u32le(1);
    uint32_t offset = 16;
    for (const auto& e : entries)
        offset += static_cast<uint32_t>(e.second.size());
    sink.u32le(offset);
    for (const auto& e : entries)
        sink.text(e.second);
    sink.u32le(static_cast<uint32_t>(entries.size()));
    uint32_t data = 16;
    for (const auto& e : entries) {
        sink.u32le(static_cast<uint32_t>(e.second.size()));
        sink.u32le(static_cast<uint32_t>(e.second.size()));
        sink.u32le(data);
        sink.u32le(static_cast<uint32_t>(e.first.size()));
        sink.text(e.first);
        data += static_cast<uint32_t>(e.second.size());
    }
    return std::string(sink.data().begin(), sink.data().end());
}

}  // namespace marquill::testing
