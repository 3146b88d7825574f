#include "fileindex/FolderIndex.h"

#include <cstdio>

#include "fileindex/FarTable.h"
#include "fileindex/FileReader.h"
#include "fileindex/PathKey.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "platform/RandomAccessFile.h"

namespace marquill::fileindex {
namespace {

bool isArchiveName(std::string_view name) {
    return endsWithIgnoringCase(name, "far");
}

// Deeper than any installation: a linked folder that contains itself ends here.
constexpr int kMaxDepth = 24;

std::string joinDisk(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace

FolderIndex::FolderIndex(std::string root) : root_(std::move(root)) {}
FolderIndex::~FolderIndex() = default;

std::optional<std::string> FolderIndex::diskPathOf(std::string_view path) const {
    if (const FileEntry* e = lookup(path); e && !e->inArchive && !e->diskPath.empty())
        return e->diskPath;
    // A walked folder lists every spelling it holds: a name missing from it is looked for
    // only as spelled, not by listing the folder again (searches try many such names).
    SplitKey parts = splitKey(normalisePath(path));
    if (!parts.name.empty()) {
        auto f = folders_.find(parts.folder);
        if (f != folders_.end() && !f->second.diskPath.empty()) {
            std::string exact = joinDisk(f->second.diskPath,
                                         std::string(path.substr(path.size() - parts.name.size())));
            if (platform::fileExists(exact)) return exact;
            return std::nullopt;
        }
    }
    return resolveOnDisk(path);
}

std::optional<std::string> FolderIndex::resolveOnDisk(std::string_view path) const {
    std::string host = toHostPath(path);
    std::string resolved = !host.empty() && host[0] == '/'
                               ? platform::resolveGamePath("/", host)
                               : platform::resolveGamePath(root_.empty() ? "." : root_, host);
    if (!platform::fileExists(resolved)) return std::nullopt;
    return resolved;
}

std::unique_ptr<FileReader> FolderIndex::openLoose(const std::string& diskPath,
                                                   std::string gamePath, OpenFor mode) {
    if (platform::isDirectory(diskPath)) return nullptr;
    auto file = std::make_unique<platform::RandomAccessFile>();
    if (!file->Open(diskPath, mode == OpenFor::Writing
                                  ? platform::RandomAccessFile::Mode::ReadWrite
                                  : platform::RandomAccessFile::Mode::ReadOnly))
        return nullptr;
    return std::make_unique<FileReader>(
        FileReader::loose(std::move(gamePath), std::move(file), mode == OpenFor::Writing, this));
}

std::optional<std::string> FolderIndex::diskPathForNew(std::string_view path) const {
    SplitKey parts = splitKey(normalisePath(path));
    // Keep the caller's spelling of the name; only the folder is looked up.
    std::string name(path.substr(path.size() - parts.name.size()));
    if (parts.folder.empty()) return joinDisk(root_, name);
    auto folderPath = diskPathOf(path.substr(0, path.size() - parts.name.size()));
    if (!folderPath) return std::nullopt;
    return joinDisk(*folderPath, name);
}

FolderTable& FolderIndex::folderFor(const std::string& key) {
    return folders_[key];
}

bool FolderIndex::addFolder(std::string_view path, Recurse recurse, ReadArchives readArchives) {
    auto disk = diskPathOf(path);
    if (!disk || !platform::isDirectory(*disk)) return true;  // nothing to add, never an error
    walk(folderKey(path), *disk, recurse, readArchives, 0);
    return true;
}

void FolderIndex::walk(const std::string& key, const std::string& diskPath, Recurse recurse,
                       ReadArchives readArchives, int depth) {
    auto listing = platform::listDirectory(diskPath);
    if (!listing) return;
    FolderTable& table = folderFor(key);
    if (table.diskPath.empty()) table.diskPath = diskPath;
    for (const platform::DirectoryEntry& d : *listing) {
        std::string name = normalisePath(d.name);
        std::string entryDisk = joinDisk(diskPath, d.name);
        // The table may have been rehashed by a nested walk: look the folder up again.
        FolderTable& t = folderFor(key);
        auto [it, added] = t.files.try_emplace(name);
        if (d.isFolder) {
            if (added) it->second = {nullptr, 0, 0, false, !d.readOnly, true, entryDisk};
            if (recurse == Recurse::Yes && depth < kMaxDepth)
                walk(key + name + "\\", entryDisk, recurse, readArchives, depth + 1);
        } else if (isArchiveName(name)) {
            if (readArchives == ReadArchives::Yes) indexArchive(key + name, entryDisk);
        } else if (added) {
            it->second = {nullptr, 0, 0, false, !d.readOnly, false, entryDisk};
        }
    }
}

bool FolderIndex::indexArchive(const std::string& archiveKey, const std::string& diskPath) {
    if (archives_.count(archiveKey)) return true;
    auto mapped = platform::MappedFile::open(diskPath);
    if (!mapped) {
        std::fprintf(stderr, "Couldn't Open file '%s' for mapping.\n", diskPath.c_str());
        return false;
    }
    auto archive = std::make_unique<FarArchive>(FarArchive{archiveKey, std::move(*mapped)});
    const FarArchive* ar = archive.get();
    archives_.emplace(archiveKey, std::move(archive));

    FarTable table = readFarTable(ar->file.bytes());
    const std::string archiveFolder = splitKey(archiveKey).folder;
    for (const FarEntry& e : table.entries) {
        SplitKey parts = splitKey(archiveFolder + normalisePath(e.name));
        if (parts.name.empty()) continue;  // a name ending in "\" names no file
        FolderTable& t = folderFor(parts.folder);
        t.files.try_emplace(parts.name, FileEntry{ar, e.offset, e.size, true, false, false, {}});
        linkToParents(parts.folder);
    }
    if (!table.entries.empty()) archiveEntriesPresent_ = true;
    return table.complete;
}

void FolderIndex::linkToParents(const std::string& key) {
    std::string child = key;
    while (!child.empty()) {
        // child ends in "\": its parent is everything up to the "\" before that one.
        size_t slash = child.rfind('\\', child.size() - 2);
        std::string parent = slash == std::string::npos ? "" : child.substr(0, slash + 1);
        std::string name = child.substr(parent.size(), child.size() - parent.size() - 1);
        FolderTable& t = folderFor(parent);
        auto [it, added] = t.files.try_emplace(name);
        if (!added) return;  // known already, and so are its parents
        it->second = {nullptr, 0, 0, false, true, true, {}};
        child = parent;
    }
}

bool FolderIndex::hasFolder(std::string_view path) const {
    return folders_.count(splitKey(normalisePath(path)).folder) > 0;
}

const FolderTable* FolderIndex::folder(std::string_view folderPath) const {
    auto it = folders_.find(folderKey(folderPath));
    return it == folders_.end() ? nullptr : &it->second;
}

const FileEntry* FolderIndex::lookup(std::string_view path) const {
    SplitKey parts = splitKey(normalisePath(path));
    auto f = folders_.find(parts.folder);
    if (f == folders_.end()) return nullptr;
    auto e = f->second.files.find(parts.name);
    return e == f->second.files.end() ? nullptr : &e->second;
}

std::unique_ptr<FileReader> FolderIndex::open(std::string_view path, OpenFor mode) {
    const FileEntry* e = lookup(path);
    if (e && e->inArchive) {
        if (mode == OpenFor::Writing || !e->archive) return nullptr;
        return std::make_unique<FileReader>(
            FileReader::archived(std::string(path), *e->archive, e->offset, e->size, this));
    }
    if (e && e->isFolder) return nullptr;
    auto disk = diskPathOf(path);
    if (!disk) return nullptr;
    return openLoose(*disk, std::string(path), mode);
}

void FolderIndex::close(std::unique_ptr<FileReader> reader) {
    if (reader) (void)reader->flush();
}

bool FolderIndex::create(std::string_view path) {
    if (lookup(path)) return false;
    auto disk = diskPathForNew(path);
    if (!disk || !platform::createEmptyFile(*disk)) return false;
    SplitKey parts = splitKey(normalisePath(path));
    auto f = folders_.find(parts.folder);
    if (f != folders_.end())
        f->second.files[parts.name] = {nullptr, 0, 0, false, true, false, *disk};
    return true;
}

bool FolderIndex::remove(std::string_view path) {
    const FileEntry* e = lookup(path);
    if (!e) {
        auto disk = diskPathOf(path);
        return disk && platform::RandomAccessFile::Remove(*disk);
    }
    if (e->inArchive || e->isFolder) return false;
    std::string disk = e->diskPath;
    SplitKey parts = splitKey(normalisePath(path));
    folders_[parts.folder].files.erase(parts.name);
    return platform::RandomAccessFile::Remove(disk);
}

bool FolderIndex::copy(std::string_view from, std::string_view to) {
    const FileEntry* e = lookup(from);
    if (e && (e->inArchive || e->isFolder)) return false;
    auto source = diskPathOf(from);
    if (!source) return false;
    if (diskPathOf(to)) return false;  // the target exists, whatever its spelling
    auto target = diskPathForNew(to);
    if (!target || !platform::copyFileNoReplace(*source, *target)) return false;
    SplitKey parts = splitKey(normalisePath(to));
    auto f = folders_.find(parts.folder);
    if (f != folders_.end())
        f->second.files[parts.name] = {nullptr, 0, 0, false, true, false, *target};
    return true;
}

bool FolderIndex::exists(std::string_view path) {
    if (lookup(path)) return true;
    return diskPathOf(path).has_value();
}

FolderIndex& processFolderIndex() {
    static FolderIndex index;
    return index;
}

}  // namespace marquill::fileindex
