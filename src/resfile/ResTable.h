#pragma once
// The in-memory type table of an open IFF file: type entries in order, each with its resource
// entries in order and the conversion routine last supplied for the type. Types and resources
// are addressed by 1-based position; blocks map back to the entry that holds them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "resfile/MemoryBlock.h"
#include "resfile/ResType.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

struct TypeEntry;

struct ResEntry {
    static constexpr int64_t kUnwritten = -1;

    int64_t offset = kUnwritten;  // chunk offset in the file
    // The chunk of the data this entry's unwritten data replaces: freed only once the new data
    // is in the file (ChunkChain::FreeChunkLater).
    int64_t superseded = kUnwritten;
    int16_t id = 0;
    uint16_t flags = 0;      // current flags; the high byte is the attribute
    uint16_t diskFlags = 0;  // as last read from or written to the file
    MemoryBlock* block = nullptr;
    std::string name;      // at most 63 characters
    int32_t nameKey = -1;  // version 1.0 files: the key into the name list (-1 = no name)
    TypeEntry* type = nullptr;
    uint64_t sequence = 0;  // grows with every append, so it orders entries as their list does

    [[nodiscard]] uint8_t Attribute() const { return static_cast<uint8_t>(flags >> 8); }
    [[nodiscard]] bool OnDisk() const { return offset != kUnwritten; }
};

struct TypeEntry {
    ResType type = 0;
    std::vector<std::unique_ptr<ResEntry>> entries;
    ConvertRoutine convert = nullptr;
    // Lookup indexes over `entries`, built on the first lookup of the type so that opening a
    // file does not pay for them; names folded to lower case.
    bool indexed = false;
    std::unordered_map<int16_t, std::vector<ResEntry*>> byId;
    std::unordered_map<std::string, std::vector<ResEntry*>> byName;
};

class ResTable {
  public:
    ResTable() = default;
    ResTable(const ResTable&) = delete;
    ResTable& operator=(const ResTable&) = delete;

    [[nodiscard]] const std::vector<std::unique_ptr<TypeEntry>>& Types() const { return types_; }
    [[nodiscard]] int CountTypes() const { return static_cast<int>(types_.size()); }
    [[nodiscard]] TypeEntry* FindType(ResType type) const;
    // The type's entry, appended at the end of the table when missing.
    TypeEntry& TypeFor(ResType type);

    // An entry appended to its type; the type is created when missing.
    ResEntry& Append(ResType type, int16_t id, uint16_t flags, std::string name);
    // Attribute 0 looks only at attribute 0; another attribute prefers an entry with it and
    // falls back to attribute 0.
    [[nodiscard]] ResEntry* FindById(ResType type, int16_t id, uint8_t attribute) const;
    [[nodiscard]] ResEntry* FindExact(ResType type, int16_t id, uint8_t attribute) const;
    [[nodiscard]] ResEntry* FindByName(ResType type, std::string_view name) const;
    [[nodiscard]] ResEntry* FindByPosition(ResType type, int position) const;
    [[nodiscard]] ResEntry* FindByOffset(int64_t offset) const;
    [[nodiscard]] ResEntry* EntryOf(const MemoryBlock* block) const;

    // The one way to change an entry's id or name, so the indexes follow.
    void SetIdentity(ResEntry& entry, int16_t id, std::string name);

    void Attach(ResEntry& entry, MemoryBlock* block);
    // The entry forgets its block (the block is not disposed of).
    void Detach(ResEntry& entry);
    // Removes the entry, disposing of a block it holds; a type left empty leaves the table.
    void Remove(ResEntry& entry);
    // Removes the first type entry of this type with its entries (blocks disposed of).
    void RemoveType(ResType type);
    // Disposes of every block and empties the table.
    void Clear();

    void SetOffset(ResEntry& entry, int64_t offset);
    // Takes over every type and entry of `other`, which is left empty.
    void Adopt(ResTable& other);

  private:
    static void Index(ResEntry& entry);
    static void Unindex(ResEntry& entry);
    static void EnsureIndexed(TypeEntry& type);

    std::vector<std::unique_ptr<TypeEntry>> types_;
    uint64_t nextSequence_ = 0;
    std::unordered_map<const MemoryBlock*, ResEntry*> byBlock_;
    // Built on the first FindByOffset (compaction, writes), not while a file is opened.
    mutable bool offsetsIndexed_ = false;
    mutable std::unordered_map<int64_t, ResEntry*> byOffset_;
};

}  // namespace marquill::resfile
