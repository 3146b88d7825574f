#include "platform/FileLayer.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "platform/Files.h"

namespace marquill::platform {
namespace {

class DiskFile final : public FileLayer::File {
  public:
    std::optional<size_t> readAt(uint64_t offset, void* data, size_t size) override {
        return file_.ReadAt(offset, data, size);
    }
    std::optional<size_t> writeAt(uint64_t offset, const void* data, size_t size) override {
        return file_.WriteAt(offset, data, size);
    }
    bool sync() override { return file_.Sync(); }
    std::optional<uint64_t> length() override { return file_.Length(); }
    bool setLength(uint64_t length) override { return file_.SetLength(length); }
    bool close() override { return file_.Close(); }

    RandomAccessFile file_;
};

class DiskFiles final : public FileLayer {
  public:
    std::unique_ptr<File> open(const std::string& path, Mode mode) override {
        auto file = std::make_unique<DiskFile>();
        if (!file->file_.Open(path, mode)) return nullptr;
        return file;
    }
    CreateResult create(const std::string& path) override { return RandomAccessFile::Create(path); }
    bool exists(const std::string& path) override { return RandomAccessFile::Exists(path); }
    bool isWritable(const std::string& path) override {
        return RandomAccessFile::IsWritableOnDisk(path);
    }
    bool remove(const std::string& path) override { return RandomAccessFile::Remove(path); }

    bool rename(const std::string& from, const std::string& to) override {
        if (std::rename(from.c_str(), to.c_str()) != 0) return false;
        // The new name lives in the folder; without this a crash of the machine could bring
        // back the old file after the program reported the new one in place.
        const int fd = ::open(parentFolder(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            (void)::fsync(fd);
            ::close(fd);
        }
        return true;
    }

    bool placeNew(const std::string& from, const std::string& to) override {
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
    }
    bool syncFiles(const std::vector<std::string>& paths) override {
        if (paths.empty()) return true;
        // One file-system wide wait covers every file when they share a file system, which
        // the scratch files of one folder do.
        for (const auto& path : paths) {
            if (parentFolder(path) != parentFolder(paths.front()))
                return FileLayer::syncFiles(paths);
        }
        const int fd = ::open(paths.front().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) return false;
        const bool ok = ::syncfs(fd) == 0;
        return ::close(fd) == 0 && ok;
    }
    bool syncFolder(const std::string& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        const bool ok = ::fsync(fd) == 0;
        return ::close(fd) == 0 && ok;
    }
    bool isLink(const std::string& path) override {
        struct stat st;
        return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }

    std::optional<std::vector<DirectoryEntry>> list(const std::string& folder) override {
        return listDirectory(folder);
    }
    FolderResult createFolder(const std::string& path) override {
        if (::mkdir(path.c_str(), 0755) == 0) return FolderResult::Created;
        return errno == EEXIST ? FolderResult::AlreadyExists : FolderResult::Failed;
    }
    bool removeFolder(const std::string& path) override { return ::rmdir(path.c_str()) == 0; }

    std::string runTag() override { return std::to_string(::getpid()); }
    bool runIsAlive(const std::string& tag) override {
        int pid = 0;
        const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), pid);
        if (error != std::errc() || end != tag.data() + tag.size() || pid <= 0) return false;
        return ::kill(pid, 0) == 0 || errno == EPERM;
    }
};

}  // namespace

FileLayer& diskFiles() {
    static DiskFiles files;
    return files;
}

}  // namespace marquill::platform
