#pragma once
// The table of known folders and their files, filled by walking folders and reading FAR
// archives. Keys are normalised (see PathKey.h); every loose entry also keeps its real path on
// disk, so "GameData\Skins\B001.BMP" opens whatever spelling the disk has.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/MappedFile.h"

namespace marquill::fileindex {

class FileReader;

// An archive mapped once and shared by every reader of its entries.
struct FarArchive {
    std::string key;  // normalised path of the archive
    platform::MappedFile file;
};

struct FileEntry {
    const FarArchive* archive = nullptr;  // none for a loose file
    uint32_t offset = 0;
    uint32_t size = 0;
    bool inArchive = false;
    bool writable = false;
    bool isFolder = false;
    std::string diskPath;  // loose files and folders: the real path; empty inside archives
};

struct FolderTable {
    std::string diskPath;                    // empty for folders known only from archives
    std::map<std::string, FileEntry> files;  // by normalised name, so enumeration is ordered
};

enum class Recurse { No, Yes };
enum class ReadArchives { No, Yes };
enum class OpenFor { Reading, Writing };

class FolderIndex {
  public:
    // Relative paths are taken from `root` (the game folder); an empty root is the current folder.
    explicit FolderIndex(std::string root = {});
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;
    ~FolderIndex();

    [[nodiscard]] const std::string& root() const { return root_; }
    // The game folder, once it is known; set before the index is filled.
    void setRoot(std::string root) { root_ = std::move(root); }

    bool addFolder(std::string_view path, Recurse recurse, ReadArchives readArchives);
    [[nodiscard]] bool hasFolder(std::string_view path) const;
    [[nodiscard]] const FileEntry* lookup(std::string_view path) const;
    [[nodiscard]] const FolderTable* folder(std::string_view folderPath) const;
    [[nodiscard]] std::unique_ptr<FileReader> open(std::string_view path, OpenFor mode);
    void close(std::unique_ptr<FileReader> reader);
    [[nodiscard]] bool create(std::string_view path);
    [[nodiscard]] bool remove(std::string_view path);  // Delete
    [[nodiscard]] bool copy(std::string_view from, std::string_view to);
    [[nodiscard]] bool exists(std::string_view path);
    [[nodiscard]] bool archiveEntriesPresent() const { return archiveEntriesPresent_; }

    // The real path on disk of a game path: the indexed spelling when known, else a
    // case-insensitive search from the root; none when nothing exists there.
    [[nodiscard]] std::optional<std::string> diskPathOf(std::string_view path) const;
    // Where a new file at `path` would go: its folder resolved on disk, the name as given.
    [[nodiscard]] std::optional<std::string> diskPathForNew(std::string_view path) const;
    // The existing file or folder a game path names on disk, found ignoring letter case,
    // without asking the index.
    [[nodiscard]] std::optional<std::string> resolveOnDisk(std::string_view path) const;
    // A loose file opened for reading or writing; none for folders and missing files.
    [[nodiscard]] std::unique_ptr<FileReader> openLoose(const std::string& diskPath,
                                                        std::string gamePath, OpenFor mode);

    // Serialises reads from shared archive files.
    [[nodiscard]] std::mutex& lock() { return lock_; }

    // Bytes of archive data indexed and archives open, for the benchmark's report.
    [[nodiscard]] size_t archiveCount() const { return archives_.size(); }
    [[nodiscard]] size_t folderCount() const { return folders_.size(); }

  private:
    void walk(const std::string& key, const std::string& diskPath, Recurse recurse,
              ReadArchives readArchives, int depth);
    bool indexArchive(const std::string& archiveKey, const std::string& diskPath);
    FolderTable& folderFor(const std::string& key);
    void linkToParents(const std::string& key);

    std::string root_;
    std::unordered_map<std::string, FolderTable> folders_;
    std::unordered_map<std::string, std::unique_ptr<FarArchive>> archives_;
    bool archiveEntriesPresent_ = false;
    std::mutex lock_;
};

// The process-wide index, rooted at the game folder once it is known.
[[nodiscard]] FolderIndex& processFolderIndex();

}  // namespace marquill::fileindex
