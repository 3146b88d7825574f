#pragma once
// Files held in memory, for tests and fuzzers: fast, and able to play a kill or a full disk at any
// single write. Every call that changes what is stored counts as one write: a write at an offset,
// a length change, a create, remove or rename, a folder made or removed. Open files follow their
// file through a rename or a removal, as on the host. Folders exist as soon as they are named.
// Open files must not outlive the layer.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileLayer.h"

namespace marquill::platform {

class MemoryFiles final : public FileLayer {
  public:
    explicit MemoryFiles(std::string runTag = "run1") : runTag_(std::move(runTag)) {}
    MemoryFiles(const MemoryFiles&) = delete;
    MemoryFiles& operator=(const MemoryFiles&) = delete;

    // Stored without counting as a write (setting a test up).
    void put(const std::string& path, std::vector<uint8_t> bytes);
    [[nodiscard]] std::optional<std::vector<uint8_t>> bytesOf(const std::string& path) const;
    // Every stored file, sorted.
    [[nodiscard]] std::vector<std::string> paths() const;

    // A kill: the first `writes` writes are stored, every later one fails and changes nothing.
    void stopAfter(uint64_t writes);
    // A full disk: write number `write` (1-based) fails and changes nothing; the others work.
    void failAt(uint64_t write);
    [[nodiscard]] uint64_t writes() const { return writes_; }
    // Whether the stop or the failure has been reached.
    [[nodiscard]] bool cutOffReached() const { return cutOffReached_; }

    // What a later run finds on the disk: the same files, without a cut-off, under another tag.
    [[nodiscard]] std::unique_ptr<MemoryFiles> restart(std::string runTag) const;

    std::unique_ptr<File> open(const std::string& path, Mode mode) override;
    CreateResult create(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool isWritable(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    std::optional<std::vector<DirectoryEntry>> list(const std::string& folder) override;
    FolderResult createFolder(const std::string& path) override;
    bool removeFolder(const std::string& path) override;
    std::string runTag() override { return runTag_; }
    bool runIsAlive(const std::string& tag) override { return tag == runTag_; }

  private:
    struct Node {
        std::vector<uint8_t> bytes;
    };
    class OpenFile;

    // Counts one write; false when it must fail.
    bool mayWrite();

    std::string runTag_;
    std::map<std::string, std::shared_ptr<Node>> files_;
    std::set<std::string> folders_;
    uint64_t writes_ = 0;
    uint64_t stopAfter_ = UINT64_MAX;
    uint64_t failAt_ = 0;
    bool cutOffReached_ = false;
};

}  // namespace marquill::platform
