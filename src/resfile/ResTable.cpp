#include "resfile/ResTable.h"

#include <algorithm>

namespace marquill::resfile {
namespace {

std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

void Erase(std::vector<ResEntry*>& list, const ResEntry* entry) {
    list.erase(std::remove(list.begin(), list.end(), entry), list.end());
}

// The first entry in list order among the candidates with the attribute.
ResEntry* First(const std::vector<ResEntry*>& candidates, uint8_t attribute) {
    ResEntry* best = nullptr;
    for (ResEntry* e : candidates)
        if (e->Attribute() == attribute && (!best || e->sequence < best->sequence)) best = e;
    return best;
}

}  // namespace

void ResTable::EnsureIndexed(TypeEntry& type) {
    if (type.indexed) return;
    type.indexed = true;
    for (auto& entry : type.entries)
        Index(*entry);
}

void ResTable::Index(ResEntry& entry) {
    if (!entry.type->indexed) return;
    entry.type->byId[entry.id].push_back(&entry);
    entry.type->byName[Folded(entry.name)].push_back(&entry);
}

void ResTable::Unindex(ResEntry& entry) {
    TypeEntry& t = *entry.type;
    if (!t.indexed) return;
    if (auto it = t.byId.find(entry.id); it != t.byId.end()) {
        Erase(it->second, &entry);
        if (it->second.empty()) t.byId.erase(it);
    }
    if (auto it = t.byName.find(Folded(entry.name)); it != t.byName.end()) {
        Erase(it->second, &entry);
        if (it->second.empty()) t.byName.erase(it);
    }
}

void ResTable::SetIdentity(ResEntry& entry, int16_t id, std::string name) {
    Unindex(entry);
    entry.id = id;
    entry.name = std::move(name);
    Index(entry);
}

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
    entry->sequence = nextSequence_++;
    Index(*entry);
    t.entries.push_back(std::move(entry));
    return *t.entries.back();
}

ResEntry* ResTable::FindExact(ResType type, int16_t id, uint8_t attribute) const {
    TypeEntry* t = FindType(type);
    if (!t) return nullptr;
    EnsureIndexed(*t);
    auto it = t->byId.find(id);
    return it == t->byId.end() ? nullptr : First(it->second, attribute);
}

ResEntry* ResTable::FindById(ResType type, int16_t id, uint8_t attribute) const {
    if (attribute != 0) {
        if (ResEntry* e = FindExact(type, id, attribute)) return e;
    }
    return FindExact(type, id, 0);
}

ResEntry* ResTable::FindByName(ResType type, std::string_view name) const {
    TypeEntry* t = FindType(type);
    if (!t) return nullptr;
    EnsureIndexed(*t);
    auto it = t->byName.find(Folded(name));
    return it == t->byName.end() ? nullptr : First(it->second, 0);
}

ResEntry* ResTable::FindByPosition(ResType type, int position) const {
    const TypeEntry* t = FindType(type);
    if (!t || position < 1 || static_cast<size_t>(position) > t->entries.size()) return nullptr;
    return t->entries[static_cast<size_t>(position) - 1].get();
}

ResEntry* ResTable::FindByOffset(int64_t offset) const {
    if (!offsetsIndexed_) {
        offsetsIndexed_ = true;
        for (const auto& t : types_)
            for (const auto& e : t->entries)
                if (e->OnDisk()) byOffset_[e->offset] = e.get();
    }
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
    if (entry.OnDisk() && offsetsIndexed_) {
        auto it = byOffset_.find(entry.offset);
        if (it != byOffset_.end() && it->second == &entry) byOffset_.erase(it);
    }
    TypeEntry* t = entry.type;
    Unindex(entry);
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
        if (e->OnDisk() && offsetsIndexed_) {
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
    offsetsIndexed_ = false;
}

void ResTable::SetOffset(ResEntry& entry, int64_t offset) {
    if (offsetsIndexed_ && entry.OnDisk()) {
        auto it = byOffset_.find(entry.offset);
        if (it != byOffset_.end() && it->second == &entry) byOffset_.erase(it);
    }
    entry.offset = offset;
    if (offsetsIndexed_ && entry.OnDisk()) byOffset_[entry.offset] = &entry;
}

}  // namespace marquill::resfile

namespace marquill::resfile {

void ResTable::Adopt(ResTable& other) {
    for (auto& t : other.types_)
        types_.push_back(std::move(t));
    nextSequence_ = std::max(nextSequence_, other.nextSequence_);
    byBlock_.merge(other.byBlock_);
    byOffset_.clear();
    offsetsIndexed_ = false;
    other.types_.clear();
    other.byBlock_.clear();
    other.byOffset_.clear();
    other.offsetsIndexed_ = false;
}

}  // namespace marquill::resfile
