#include "resfile/ResTable.h"

#include <algorithm>

namespace marquill::resfile {

TypeEntry* ResTable::FindType(ResType type) const {
    for (const auto& t : types_)
        if (t->type == type) return t.get();
    return nullptr;
}

TypeEntry& ResTable::TypeFor(ResType type) {
    if (TypeEntry* found = FindType(type)) return *found;
    types_.push_back(std::make_unique<TypeEntry>());
    types_.back()->type = type;
    return *types_.back();
}

ResEntry& ResTable::Append(ResType type, int16_t id, uint16_t flags, std::string name) {
    TypeEntry& t = TypeFor(type);
    auto entry = std::make_unique<ResEntry>();
    entry->id = id;
    entry->flags = flags;
    entry->diskFlags = flags;
    entry->name = std::move(name);
    entry->type = &t;
    t.entries.push_back(std::move(entry));
    return *t.entries.back();
}

ResEntry* ResTable::FindExact(ResType type, int16_t id, uint8_t attribute) const {
    const TypeEntry* t = FindType(type);
    if (!t) return nullptr;
    for (const auto& e : t->entries)
        if (e->id == id && e->Attribute() == attribute) return e.get();
    return nullptr;
}

ResEntry* ResTable::FindById(ResType type, int16_t id, uint8_t attribute) const {
    if (attribute != 0) {
        if (ResEntry* e = FindExact(type, id, attribute)) return e;
    }
    return FindExact(type, id, 0);
}

ResEntry* ResTable::FindByName(ResType type, std::string_view name) const {
    const TypeEntry* t = FindType(type);
    if (!t) return nullptr;
    for (const auto& e : t->entries)
        if (e->Attribute() == 0 && SameResName(e->name, name)) return e.get();
    return nullptr;
}

ResEntry* ResTable::FindByPosition(ResType type, int position) const {
    const TypeEntry* t = FindType(type);
    if (!t || position < 1 || static_cast<size_t>(position) > t->entries.size()) return nullptr;
    return t->entries[static_cast<size_t>(position) - 1].get();
}

ResEntry* ResTable::FindByOffset(int64_t offset) const {
    auto it = byOffset_.find(offset);
    return it == byOffset_.end() ? nullptr : it->second;
}

ResEntry* ResTable::EntryOf(const MemoryBlock* block) const {
    if (!block) return nullptr;
    auto it = byBlock_.find(block);
    return it == byBlock_.end() ? nullptr : it->second;
}

void ResTable::Attach(ResEntry& entry, MemoryBlock* block) {
    if (entry.block) byBlock_.erase(entry.block);
    entry.block = block;
    if (block) byBlock_[block] = &entry;
}

void ResTable::Detach(ResEntry& entry) {
    if (entry.block) byBlock_.erase(entry.block);
    entry.block = nullptr;
}

void ResTable::Remove(ResEntry& entry) {
    if (entry.block) {
        MemoryBlock* block = entry.block;
        Detach(entry);
        DisposeBlock(block);
    }
    if (entry.OnDisk()) {
        auto it = byOffset_.find(entry.offset);
        if (it != byOffset_.end() && it->second == &entry) byOffset_.erase(it);
    }
    TypeEntry* t = entry.type;
    auto& list = t->entries;
    list.erase(
        std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.get() == &entry; }));
    if (list.empty()) {
        types_.erase(std::find_if(types_.begin(), types_.end(),
                                  [&](const auto& p) { return p.get() == t; }));
    }
}

void ResTable::RemoveType(ResType type) {
    auto it =
        std::find_if(types_.begin(), types_.end(), [&](const auto& t) { return t->type == type; });
    if (it == types_.end()) return;
    for (auto& e : (*it)->entries) {
        if (e->block) {
            byBlock_.erase(e->block);
            DisposeBlock(e->block);
        }
        if (e->OnDisk()) {
            auto found = byOffset_.find(e->offset);
            if (found != byOffset_.end() && found->second == e.get()) byOffset_.erase(found);
        }
    }
    types_.erase(it);
}

void ResTable::Clear() {
    for (auto& t : types_)
        for (auto& e : t->entries)
            if (e->block) DisposeBlock(e->block);
    types_.clear();
    byBlock_.clear();
    byOffset_.clear();
}

void ResTable::SetOffset(ResEntry& entry, int64_t offset) {
    if (entry.OnDisk()) {
        auto it = byOffset_.find(entry.offset);
        if (it != byOffset_.end() && it->second == &entry) byOffset_.erase(it);
    }
    entry.offset = offset;
    if (entry.OnDisk()) byOffset_[entry.offset] = &entry;
}

}  // namespace marquill::resfile

namespace marquill::resfile {

void ResTable::Adopt(ResTable& other) {
    for (auto& t : other.types_)
        types_.push_back(std::move(t));
    byBlock_.merge(other.byBlock_);
    byOffset_.merge(other.byOffset_);
    other.types_.clear();
    other.byBlock_.clear();
    other.byOffset_.clear();
}

}  // namespace marquill::resfile
