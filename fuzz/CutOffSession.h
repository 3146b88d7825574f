#pragma once
// Edits of a resource file cut off at one write: the file layer in memory stops writing after
// its Nth write (a kill: nothing after it reaches the disk) or fails its Nth write (a full disk).
// A session opens a file of 31 resources, makes its edits (each written at once) and closes it,
// either in place through the resource-file library or on a scratch copy that replaces the file.
// Afterwards:
// - in place, the file opens; every resource holds a value it had during the session (its old
//   one, its last one, or one in between); one whose new chunk took its old chunk's own space
//   (or came to end less than a chunk header before it) may be missing; nothing else is there;
// - on a scratch copy, the file is byte for byte the old one or the one an uncut session gives;
//   a failed write is reported and leaves no scratch file; one left by a kill is removed by the
//   next edit in the folder.
// Shared by the cut-off tests and the resfile_cutoff fuzz target.
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/MemoryFiles.h"
#include "platform/ScratchFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ScratchEdit.h"

namespace marquill::cutoff {

using namespace resfile;

inline constexpr const char* kFolder = "/game/UserData";
inline constexpr const char* kPath = "/game/UserData/User00001.iff";
inline constexpr ResType kTypes[] = {MakeResType("STR#"), MakeResType("OBJD"), MakeResType("BCON")};
inline constexpr int kBaseResources = 31;
// Keys 0..30 are in the old file; the rest are new.
inline constexpr int kKeys = 40;

enum class OpKind : uint8_t { Add, Rewrite, Remove };

// Add: adds or replaces (with `size` bytes); Rewrite: the loaded data changed in place;
// Remove. An op on a key the file lacks (Rewrite, Remove) does nothing.
struct Op {
    OpKind kind = OpKind::Add;
    int key = 0;
    size_t size = 0;
    uint8_t fill = 0;
};

enum class Where { InPlace, ScratchCopy };
enum class Cut { Stop, Fail };

struct Session {
    std::vector<Op> ops;
    Where where = Where::InPlace;
};

struct Key {
    ResType type;
    int16_t id;
    bool operator<(const Key& o) const { return type != o.type ? type < o.type : id < o.id; }
};

inline Key KeyOf(int key) {
    return {kTypes[key % 3], static_cast<int16_t>(128 + key)};
}

inline size_t BaseSize(int key) {
    return 40 + static_cast<size_t>(key * 397) % 2400;
}

inline std::vector<uint8_t> Filled(size_t size, uint8_t fill) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(fill + i * 7);
    return bytes;
}

// The old file, closed with a map.
inline std::vector<uint8_t> BaseFile() {
    platform::MemoryFiles files;
    IFFResFile2 file(files);
    (void)file.Create(kPath);
    (void)file.Open(kPath, Access::ReadWrite);
    for (int key = 0; key < kBaseResources; ++key) {
        const auto bytes = Filled(BaseSize(key), static_cast<uint8_t>(key));
        MemoryBlock* block = NewBlock(bytes.size());
        std::copy(bytes.begin(), bytes.end(), block->Bytes().begin());
        const Key k = KeyOf(key);
        (void)file.AddResource(block, k.type, k.id, "resource " + std::to_string(key),
                               DataOrder::Native);
        (void)file.WriteResource(block);
    }
    (void)file.Close();
    return *files.bytesOf(kPath);
}

struct Outcome {
    bool failureReported = false;
    // Keys whose new chunk, in this run, was given its old chunk's own space.
    std::set<Key> reusedOwnSpace;
};

inline int64_t ChunkOf(IFFChunkFile& file, const Key& key, int64_t* size) {
    for (const auto& info : file.DescribeResources()) {
        if (info.type == key.type && info.id == key.id) {
            *size = info.size + 76;
            return info.offset;
        }
    }
    return -1;
}

// Makes the session's edits on an open file; stops at the first failure.
inline ResCode ApplyOps(IFFChunkFile& file, const std::vector<Op>& ops, Outcome& outcome) {
    for (const Op& op : ops) {
        const Key key = KeyOf(op.key);
        ResCode code = kResOk;
        switch (op.kind) {
            case OpKind::Add: {
                int64_t oldSize = 0;
                const int64_t old = ChunkOf(file, key, &oldSize);
                const auto bytes = Filled(op.size, op.fill);
                MemoryBlock* block = NewBlock(bytes.size());
                if (!block) return kResOutOfMemory;
                std::copy(bytes.begin(), bytes.end(), block->Bytes().begin());
                code = file.AddResource(block, key.type, key.id, "new", DataOrder::Native);
                if (code != kResOk) {
                    DisposeBlock(block);
                    break;
                }
                code = file.WriteResource(block);
                int64_t newSize = 0;
                const int64_t now = ChunkOf(file, key, &newSize);
                // The free chunk a split leaves behind the new chunk starts with a header; one
                // that would land on the old chunk takes its space as much as the new chunk does.
                if (old >= 0 && now >= 0 && now < old + oldSize && old < now + newSize + 76)
                    outcome.reusedOwnSpace.insert(key);
                break;
            }
            case OpKind::Rewrite:
                if (MemoryBlock* block = file.GetResource(key.type, key.id)) {
                    const auto bytes = Filled(block->Size(), op.fill);
                    std::copy(bytes.begin(), bytes.end(), block->Bytes().begin());
                    code = file.WriteResource(block);
                }
                break;
            case OpKind::Remove:
                if (MemoryBlock* block = file.GetResource(key.type, key.id))
                    code = file.RemoveResource(block);
                break;
        }
        if (code != kResOk) return code;
    }
    return kResOk;
}

inline Outcome RunSession(const Session& session, platform::MemoryFiles& files) {
    Outcome outcome;
    if (session.where == Where::ScratchCopy) {
        const ResCode code = EditOnScratchCopy(
            kPath, [&](IFFChunkFile& file) { return ApplyOps(file, session.ops, outcome); }, files);
        outcome.failureReported = code != kResOk;
        return outcome;
    }
    IFFResFile2 file(files);
    ResCode code = file.Open(kPath, Access::ReadWrite);
    if (code == kResOk) code = ApplyOps(file, session.ops, outcome);
    const ResCode closed = file.IsOpen() ? file.Close() : kResOk;
    outcome.failureReported = code != kResOk || closed != kResOk;
    return outcome;
}

// Every value each resource holds during the session, the old one first (none = absent).
using History = std::map<Key, std::vector<std::optional<std::vector<uint8_t>>>>;

inline History HistoryOf(const Session& session) {
    History history;
    for (int key = 0; key < kKeys; ++key) {
        auto& values = history[KeyOf(key)];
        if (key < kBaseResources)
            values.push_back(Filled(BaseSize(key), static_cast<uint8_t>(key)));
        else
            values.push_back(std::nullopt);
    }
    for (const Op& op : session.ops) {
        auto& values = history[KeyOf(op.key)];
        const auto& last = values.back();
        switch (op.kind) {
            case OpKind::Add:
                values.push_back(Filled(op.size, op.fill));
                break;
            case OpKind::Rewrite:
                if (last) values.push_back(Filled(last->size(), op.fill));
                break;
            case OpKind::Remove:
                values.push_back(std::nullopt);
                break;
        }
    }
    return history;
}

// What an uncut session gives, and how many writes it makes.
struct Reference {
    std::vector<uint8_t> oldFile;
    std::vector<uint8_t> newFile;
    uint64_t writes = 0;
    Outcome outcome;
};

inline Reference ReferenceFor(const Session& session, const std::vector<uint8_t>& base) {
    Reference ref;
    ref.oldFile = base;
    platform::MemoryFiles files;
    files.put(kPath, base);
    ref.outcome = RunSession(session, files);
    ref.newFile = files.bytesOf(kPath).value_or(std::vector<uint8_t>{});
    ref.writes = files.writes();
    return ref;
}

inline std::string CheckInPlace(platform::MemoryFiles& disk, const Session& session,
                                const Outcome& cut) {
    IFFResFile2 file(disk);
    if (ResCode code = file.Open(kPath, Access::ReadOnly); code != kResOk)
        return "the file does not open: " + std::to_string(code);
    const History history = HistoryOf(session);
    for (const auto& info : file.DescribeResources()) {
        if (!history.count({info.type, info.id}))
            return "a resource that was never written: id " + std::to_string(info.id);
    }
    for (const auto& [key, values] : history) {
        std::optional<std::vector<uint8_t>> now;
        if (MemoryBlock* block = file.GetResource(key.type, key.id))
            now.emplace(block->Bytes().begin(), block->Bytes().end());
        else if (file.LastResult() != kResNoSuchResource)
            return "id " + std::to_string(key.id) + " cannot be read";
        if (!now && cut.reusedOwnSpace.count(key)) continue;
        if (std::find(values.begin(), values.end(), now) == values.end())
            return "id " + std::to_string(key.id) + " holds a value it never had";
    }
    return "";
}

inline std::string CheckScratchCopy(platform::MemoryFiles& disk, const Reference& ref, Cut cut,
                                    const Outcome& outcome) {
    const auto now = disk.bytesOf(kPath);
    if (!now) return "the file is gone";
    const bool old = *now == ref.oldFile, finished = *now == ref.newFile;
    if (!old && !finished) return "the file is neither the old one nor the new one";
    const auto paths = disk.paths();
    if (cut == Cut::Fail) {
        if (!outcome.failureReported) return "a failed write was reported as success";
        if (!old) return "a failed edit changed the file";
        if (paths.size() != 1) return "a failed edit left a scratch file";
        return "";
    }
    if (paths.size() == 1) return "";
    // A later run removes what the killed one left when it writes in the folder.
    auto later = disk.restart("run2");
    const ResCode code = EditOnScratchCopy(
        kPath, [](IFFChunkFile&) { return kResOk; }, *later);
    if (code != kResOk) return "the next edit fails: " + std::to_string(code);
    if (later->paths().size() != 1) return "a scratch file of a killed run stays";
    return "";
}

// One session cut off at write `n` (for Stop, 0 = nothing written); "" when all held.
inline std::string RunCutOff(const Session& session, const Reference& ref, Cut cut, uint64_t n) {
    platform::MemoryFiles files;
    files.put(kPath, ref.oldFile);
    if (cut == Cut::Stop)
        files.stopAfter(n);
    else
        files.failAt(n);
    const Outcome outcome = RunSession(session, files);
    if (!files.cutOffReached()) {
        if (outcome.failureReported) return "an edit failed without a failed write";
        return files.bytesOf(kPath) == ref.newFile ? "" : "an uncut edit gave another file";
    }
    if (cut == Cut::Fail && !outcome.failureReported)
        return "a failed write was reported as success";
    if (session.where == Where::ScratchCopy) return CheckScratchCopy(files, ref, cut, outcome);
    auto disk = files.restart("run2");
    Outcome reused = outcome;
    reused.reusedOwnSpace.insert(ref.outcome.reusedOwnSpace.begin(),
                                 ref.outcome.reusedOwnSpace.end());
    return CheckInPlace(*disk, session, reused);
}

}  // namespace marquill::cutoff
