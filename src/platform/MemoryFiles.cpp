#include "platform/MemoryFiles.h"

#include <algorithm>
#include <cstring>

namespace marquill::platform {
namespace {

// Larger files than this are a fault of the code under test, not something to allocate.
constexpr uint64_t kMaxLength = uint64_t{1} << 32;

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The first component of `path` below `folder`, if `path` lies inside it.
std::optional<std::string> childOf(const std::string& folder, const std::string& path) {
    const std::string prefix = folder == "/" ? "/" : folder + "/";
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const std::string rest = path.substr(prefix.size());
    return rest.substr(0, rest.find('/'));
}

}  // namespace

class MemoryFiles::OpenFile final : public FileLayer::File {
  public:
    OpenFile(MemoryFiles& layer, std::shared_ptr<Node> node, bool writable)
        : layer_(layer), node_(std::move(node)), writable_(writable) {}

    std::optional<size_t> readAt(uint64_t offset, void* data, size_t size) override {
        const auto& bytes = node_->bytes;
        if (offset >= bytes.size()) return size_t{0};
        const size_t n = std::min<uint64_t>(size, bytes.size() - offset);
        if (n > 0) std::memcpy(data, bytes.data() + offset, n);
        return n;
    }

    std::optional<size_t> writeAt(uint64_t offset, const void* data, size_t size) override {
        if (!writable_ || size > kMaxLength || offset > kMaxLength - size || !layer_.mayWrite())
            return std::nullopt;
        auto& bytes = node_->bytes;
        if (offset + size > bytes.size()) bytes.resize(offset + size);
        if (size > 0) std::memcpy(bytes.data() + offset, data, size);
        return size;
    }

    bool sync() override { return true; }
    bool close() override { return true; }
    std::optional<uint64_t> length() override { return node_->bytes.size(); }

    bool setLength(uint64_t length) override {
        if (!writable_ || length > kMaxLength || !layer_.mayWrite()) return false;
        node_->bytes.resize(length);
        return true;
    }

  private:
    MemoryFiles& layer_;
    std::shared_ptr<Node> node_;
    bool writable_;
};

void MemoryFiles::put(const std::string& path, std::vector<uint8_t> bytes) {
    auto node = std::make_shared<Node>();
    node->bytes = std::move(bytes);
    files_[path] = std::move(node);
}

std::optional<std::vector<uint8_t>> MemoryFiles::bytesOf(const std::string& path) const {
    auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second->bytes;
}

std::vector<std::string> MemoryFiles::paths() const {
    std::vector<std::string> out;
    for (const auto& [path, node] : files_)
        out.push_back(path);
    return out;
}

void MemoryFiles::stopAfter(uint64_t writes) {
    stopAfter_ = writes;
    failAt_ = 0;
    cutOffReached_ = false;
}

void MemoryFiles::failAt(uint64_t write) {
    failAt_ = write;
    stopAfter_ = UINT64_MAX;
    cutOffReached_ = false;
}

bool MemoryFiles::mayWrite() {
    ++writes_;
    if (writes_ > stopAfter_ || writes_ == failAt_) {
        cutOffReached_ = true;
        return false;
    }
    return true;
}

std::unique_ptr<MemoryFiles> MemoryFiles::restart(std::string runTag) const {
    auto next = std::make_unique<MemoryFiles>(std::move(runTag));
    for (const auto& [path, node] : files_)
        next->put(path, node->bytes);
    next->folders_ = folders_;
    return next;
}

std::unique_ptr<FileLayer::File> MemoryFiles::open(const std::string& path, Mode mode) {
    auto it = files_.find(path);
    if (it == files_.end()) return nullptr;
    return std::make_unique<OpenFile>(*this, it->second, mode == Mode::ReadWrite);
}

FileLayer::CreateResult MemoryFiles::create(const std::string& path) {
    if (files_.count(path) || folders_.count(withoutTrailingSlash(path)))
        return CreateResult::AlreadyExists;
    if (!mayWrite()) return CreateResult::Failed;
    files_[path] = std::make_shared<Node>();
    return CreateResult::Created;
}

bool MemoryFiles::exists(const std::string& path) {
    return files_.count(path) > 0;
}

bool MemoryFiles::isWritable(const std::string& path) {
    return exists(path);
}

bool MemoryFiles::remove(const std::string& path) {
    auto it = files_.find(path);
    if (it == files_.end() || !mayWrite()) return false;
    files_.erase(it);
    return true;
}

bool MemoryFiles::rename(const std::string& from, const std::string& to) {
    auto it = files_.find(from);
    if (it == files_.end() || !mayWrite()) return false;
    auto node = it->second;
    files_.erase(it);
    files_[to] = std::move(node);
    return true;
}

std::optional<std::vector<DirectoryEntry>> MemoryFiles::list(const std::string& folder) {
    const std::string dir = withoutTrailingSlash(folder);
    std::map<std::string, bool> names;  // name -> is a folder
    for (const auto& [path, node] : files_) {
        if (auto child = childOf(dir, path)) {
            const bool deeper = path.size() > (dir == "/" ? 1 : dir.size() + 1) + child->size();
            names[*child] = names[*child] || deeper;
        }
    }
    for (const auto& path : folders_)
        if (auto child = childOf(dir, path)) names[*child] = true;
    std::vector<DirectoryEntry> out;
    for (const auto& [name, isFolder] : names) {
        DirectoryEntry entry;
        entry.name = name;
        entry.isFolder = isFolder;
        out.push_back(std::move(entry));
    }
    return out;
}

FileLayer::FolderResult MemoryFiles::createFolder(const std::string& path) {
    const std::string dir = withoutTrailingSlash(path);
    if (folders_.count(dir) || files_.count(dir)) return FolderResult::AlreadyExists;
    for (const auto& [file, node] : files_)
        if (childOf(dir, file)) return FolderResult::AlreadyExists;
    if (!mayWrite()) return FolderResult::Failed;
    folders_.insert(dir);
    return FolderResult::Created;
}

bool MemoryFiles::removeFolder(const std::string& path) {
    const std::string dir = withoutTrailingSlash(path);
    for (const auto& [file, node] : files_)
        if (childOf(dir, file)) return false;
    for (const auto& folder : folders_)
        if (childOf(dir, folder)) return false;
    if (!mayWrite()) return false;
    folders_.erase(dir);
    return true;
}

}  // namespace marquill::platform
