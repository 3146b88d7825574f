#pragma once
// File types ("SKIN", "ANIM", ...) and the ordered extensions files of each type may have, with
// the two searches over a search-path list: every file of a type, and the one file of a name.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileindex/FileReader.h"

namespace marquill::fileindex {

class FolderIndex;

// Four characters, the first in the most significant byte: typeCode("SKIN").
constexpr uint32_t typeCode(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) << 24 | uint32_t(uint8_t(s[1])) << 16 |
           uint32_t(uint8_t(s[2])) << 8 | uint32_t(uint8_t(s[3]));
}
// Three characters in the three most significant bytes: extensionCode("BMF").
constexpr uint32_t extensionCode(const char (&s)[4]) {
    return uint32_t(uint8_t(s[0])) << 24 | uint32_t(uint8_t(s[1])) << 16 |
           uint32_t(uint8_t(s[2])) << 8;
}
constexpr uint32_t kAnyExtension = 0x2A2A2A2A;  // "****"

// "." and the three characters of an extension code ("." and "*" for any extension).
[[nodiscard]] std::string extensionSuffix(uint32_t extension);

enum class OpenMode { PlainStream = 0, ThroughIndex = 1 };

struct FileRequest {
    OpenMode mode = OpenMode::ThroughIndex;
    std::vector<std::string> pathList;
    uint32_t matched = 0;       // the extension that matched
    std::string folder;         // as given in the path list
    std::string name;           // without the extension
    std::string fileName;       // as found: name, "." and extension in the index's spelling
    std::optional<int> number;  // the numbered form "_N_name"
    uint64_t size = 0;
    std::unique_ptr<FileReader> file;
};

enum FindResult : int { kFound = 0, kNotFound = 5, kNoStream = 6 };
enum RegisterResult : int {
    kRegistered = 0,
    kAlreadyRegistered = 1,
    kTypeNotRegistered = 2,
    kExtensionListed = 3
};

// Splits a ";"-separated path list.
[[nodiscard]] std::vector<std::string> splitPathList(std::string_view list);

class FileTypeRegistry {
  public:
    explicit FileTypeRegistry(FolderIndex& index) : index_(index) {}

    int registerType(uint32_t type);
    int addExtension(uint32_t type, uint32_t extension);
    [[nodiscard]] const std::vector<uint32_t>* extensions(uint32_t type) const;

    // Calls `callback` for every file of the type (or extension) in the folders of the list:
    // extension by extension, folder by folder, names in order. A callback result other than 0
    // and 3 ends the walk with that result.
    using Callback = std::function<int(FileRequest&)>;
    int enumerate(FileRequest& request, const std::vector<std::string>& pathList, uint32_t code,
                  const Callback& callback) const;
    int find(FileRequest& request, const std::vector<std::string>& pathList, uint32_t code,
             std::string_view name, bool tryNumberedNames) const;

    void setTextStreams(bool on) { textStreams_ = on; }
    [[nodiscard]] bool textStreams() const { return textStreams_; }

  private:
    int findWithExtension(FileRequest& request, const std::vector<std::string>& pathList,
                          uint32_t extension, std::string_view name, bool tryNumberedNames) const;
    std::unique_ptr<FileReader> openIn(OpenMode mode, const std::string& path) const;

    FolderIndex& index_;
    std::map<uint32_t, std::vector<uint32_t>> types_;
    bool textStreams_ = false;  // text and binary streams read alike on this host
};

[[nodiscard]] FileTypeRegistry& processFileTypes();

}  // namespace marquill::fileindex
