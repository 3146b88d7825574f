#pragma once
// Where the files that Marquill edits live. Everything that writes game files, exchange files and
// backups reaches them through a layer, so that tests and fuzzers can run the same code over files
// in memory and stop or fail any single write. The disk is the default everywhere.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Directory.h"
#include "platform/RandomAccessFile.h"

namespace marquill::platform {

class FileLayer {
  public:
    using Mode = RandomAccessFile::Mode;
    using CreateResult = RandomAccessFile::CreateResult;
    enum class FolderResult { Created, AlreadyExists, Failed };

    // An open file, read and written at absolute offsets.
    class File {
      public:
        virtual ~File() = default;
        // The bytes transferred (short at the end of the file), none on an error.
        [[nodiscard]] virtual std::optional<size_t> readAt(uint64_t offset, void* data,
                                                           size_t size) = 0;
        [[nodiscard]] virtual std::optional<size_t> writeAt(uint64_t offset, const void* data,
                                                            size_t size) = 0;
        // Waits until what was written is on the disk.
        [[nodiscard]] virtual bool sync() = 0;
        [[nodiscard]] virtual std::optional<uint64_t> length() = 0;
        [[nodiscard]] virtual bool setLength(uint64_t length) = 0;
        // False when what was written may be lost; the file is closed either way.
        virtual bool close() = 0;
    };

    virtual ~FileLayer() = default;

    // None when `path` is not a regular file or cannot be opened in that mode.
    [[nodiscard]] virtual std::unique_ptr<File> open(const std::string& path, Mode mode) = 0;
    // An empty file; never replaces an existing one.
    [[nodiscard]] virtual CreateResult create(const std::string& path) = 0;
    [[nodiscard]] virtual bool exists(const std::string& path) = 0;  // a regular file
    [[nodiscard]] virtual bool isWritable(const std::string& path) = 0;
    [[nodiscard]] virtual bool remove(const std::string& path) = 0;
    // Replaces `to` in one step; the new name is durable once this returns true.
    [[nodiscard]] virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Sorted by name; none when the folder cannot be listed.
    [[nodiscard]] virtual std::optional<std::vector<DirectoryEntry>> list(
        const std::string& folder) = 0;
    // Gives a finished file the name `to`, failing when any file or link already has that name;
    // the new name is not yet durable (syncFolder makes it so).
    [[nodiscard]] virtual bool placeNew(const std::string& from, const std::string& to) {
        return !exists(to) && rename(from, to);
    }
    // Waits until the contents of all these files are on the disk; one wait where the host
    // allows it.
    [[nodiscard]] virtual bool syncFiles(const std::vector<std::string>& paths) {
        for (const auto& path : paths) {
            auto file = open(path, Mode::ReadWrite);
            if (!file || !file->sync()) return false;
        }
        return true;
    }
    // Waits until the names in the folder are on the disk.
    [[nodiscard]] virtual bool syncFolder(const std::string& folder) {
        (void)folder;
        return true;
    }
    // A symbolic link, whether or not it leads anywhere.
    [[nodiscard]] virtual bool isLink(const std::string& path) {
        (void)path;
        return false;
    }
    // One level; the parent must exist.
    [[nodiscard]] virtual FolderResult createFolder(const std::string& path) = 0;
    // Only an empty folder.
    [[nodiscard]] virtual bool removeFolder(const std::string& path) = 0;

    // Scratch files carry the tag of the run that made them; a file whose run has ended is left
    // over from a run that was killed.
    [[nodiscard]] virtual std::string runTag() = 0;
    [[nodiscard]] virtual bool runIsAlive(const std::string& tag) = 0;
};

// The real files of the host; stateless.
[[nodiscard]] FileLayer& diskFiles();

}  // namespace marquill::platform
