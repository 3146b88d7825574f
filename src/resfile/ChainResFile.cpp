#include "resfile/ChainResFile.h"

#include <algorithm>

namespace marquill::resfile {

ChainResFile::~ChainResFile() {
    CloseMembers();
}

bool ChainResFile::AddMember(std::unique_ptr<iResFile> member) {
    if (members_.size() >= kMaxMembers) {
        if (member && member->IsOpen()) member->Close();
        return false;
    }
    members_.push_back(std::move(member));
    return true;
}

ResCode ChainResFile::CloseMembers() {
    ResCode first = kResOk;
    for (auto& member : members_) {
        if (!member->IsOpen()) continue;
        const ResCode code = member->Close();
        if (first == kResOk) first = code;
    }
    members_.clear();
    return first;
}

ResCode ChainResFile::Create(const std::string&) {
    return SetResult(kResUnsupported);
}

ResCode ChainResFile::Delete(const std::string&) {
    return SetResult(kResUnsupported);
}

ResCode ChainResFile::Open(const std::string&, Access) {
    return SetResult(kResUnsupported);
}

ResCode ChainResFile::Suspend() {
    ResCode first = kResOk;
    for (auto& member : members_) {
        const ResCode code = member->Suspend();
        if (first == kResOk) first = code;
    }
    return SetResult(members_.empty() ? kResNotOpen : first);
}

ResCode ChainResFile::Resume() {
    ResCode first = kResOk;
    for (auto& member : members_) {
        const ResCode code = member->Resume();
        if (first == kResOk) first = code;
    }
    return SetResult(members_.empty() ? kResCannotOpen : first);
}

ResCode ChainResFile::Close() {
    if (members_.empty()) return SetResult(kResNotOpen);
    return SetResult(CloseMembers());
}

ResCode ChainResFile::Update() {
    if (members_.empty()) return SetResult(kResNotOpen);
    ResCode first = kResOk;
    for (auto& member : members_) {
        const ResCode code = member->Update();
        if (first == kResOk) first = code;
    }
    return SetResult(first);
}

bool ChainResFile::IsWritable() {
    return std::any_of(members_.begin(), members_.end(),
                       [](const auto& m) { return m->IsWritable(); });
}

ResCode ChainResFile::GetPath(std::string& path) {
    if (members_.empty()) {
        path.clear();
        return SetResult(kResNotOpen);
    }
    return SetResult(members_.front()->GetPath(path));
}

bool ChainResFile::IsOpen() {
    return std::any_of(members_.begin(), members_.end(), [](const auto& m) { return m->IsOpen(); });
}

std::vector<ResType> ChainResFile::TypeUnion() {
    std::vector<ResType> types;
    for (auto& member : members_) {
        for (int position = member->CountTypes(); position >= 1; --position) {
            const ResType type = member->GetIndType(position);
            if (std::find(types.begin(), types.end(), type) == types.end()) types.push_back(type);
        }
    }
    return types;
}

int ChainResFile::CountTypes() {
    if (members_.empty()) {
        SetResult(kResNotOpen);
        return 0;
    }
    SetResult(kResOk);
    return static_cast<int>(TypeUnion().size());
}

ResType ChainResFile::GetIndType(int position) {
    const auto types = TypeUnion();
    if (position < 1 || static_cast<size_t>(position) > types.size()) {
        SetResult(kResTypeRange);
        return 0;
    }
    SetResult(kResOk);
    return types[static_cast<size_t>(position) - 1];
}

int ChainResFile::CountResources(ResType type) {
    int total = 0;
    for (auto& member : members_)
        total += member->CountResources(type);
    SetResult(members_.empty() ? kResNotOpen : kResOk);
    return total;
}

template <typename Lookup>
MemoryBlock* ChainResFile::FirstHit(Lookup lookup, ResCode missing) {
    if (members_.empty()) {
        SetResult(kResNotOpen);
        return nullptr;
    }
    for (auto& member : members_) {
        if (MemoryBlock* block = lookup(*member)) {
            SetResult(member->LastResult());
            return block;
        }
    }
    SetResult(missing);
    return nullptr;
}

MemoryBlock* ChainResFile::GetResource(ResType type, int16_t id, ConvertRoutine convert) {
    return FirstHit([&](iResFile& m) { return m.GetResource(type, id, convert); },
                    kResNoSuchResource);
}

MemoryBlock* ChainResFile::GetNamedResource(ResType type, std::string_view name,
                                            ConvertRoutine convert) {
    return FirstHit([&](iResFile& m) { return m.GetNamedResource(type, name, convert); },
                    kResNoSuchName);
}

MemoryBlock* ChainResFile::GetResourceEx(ResType type, int16_t id, uint8_t attribute,
                                         ConvertRoutine convert) {
    return FirstHit([&](iResFile& m) { return m.GetResourceEx(type, id, attribute, convert); },
                    kResNoSuchResource);
}

MemoryBlock* ChainResFile::GetIndResource(ResType type, int position, ConvertRoutine convert) {
    if (members_.empty()) {
        SetResult(kResNotOpen);
        return nullptr;
    }
    int remaining = position;
    for (auto& member : members_) {
        const int count = member->CountResources(type);
        if (remaining >= 1 && remaining <= count) {
            MemoryBlock* block = member->GetIndResource(type, remaining, convert);
            SetResult(member->LastResult());
            return block;
        }
        remaining -= count;
    }
    SetResult(kResNoSuchResource);
    return nullptr;
}

iResFile* ChainResFile::HolderOf(MemoryBlock* block) {
    for (auto& member : members_) {
        int16_t id = 0;
        if (member->GetResourceId(block, id) == kResOk) return member.get();
    }
    return nullptr;
}

template <typename Operation>
ResCode ChainResFile::OnHolder(MemoryBlock* block, ResCode missing, Operation operation) {
    iResFile* holder = HolderOf(block);
    if (!holder) return SetResult(missing);
    return SetResult(operation(*holder));
}

ResCode ChainResFile::GetResourceName(MemoryBlock* block, std::string& name) {
    name.clear();
    return OnHolder(block, kResNoSuchResource,
                    [&](iResFile& m) { return m.GetResourceName(block, name); });
}

ResType ChainResFile::GetResourceType(MemoryBlock* block) {
    ResType type = 0;
    OnHolder(block, kResNoSuchResource, [&](iResFile& m) {
        type = m.GetResourceType(block);
        return m.LastResult();
    });
    return type;
}

ResCode ChainResFile::GetResourceId(MemoryBlock* block, int16_t& id) {
    return OnHolder(block, kResNoSuchResource,
                    [&](iResFile& m) { return m.GetResourceId(block, id); });
}

uint8_t ChainResFile::GetResourceAttributes(MemoryBlock* block) {
    uint8_t attribute = 0;
    OnHolder(block, kResNoSuchResource, [&](iResFile& m) {
        attribute = m.GetResourceAttributes(block);
        return m.LastResult();
    });
    return attribute;
}

ResCode ChainResFile::UniqueName(ResType type, std::string& name) {
    if (members_.empty()) return SetResult(kResNotOpen);
    // Each member extends the name until none of them holds it.
    for (size_t round = 0; round <= members_.size(); ++round) {
        const std::string before = name;
        for (auto& member : members_)
            member->UniqueName(type, name);
        if (name == before) break;
    }
    return SetResult(kResOk);
}

int32_t ChainResFile::UniqueId(ResType type) {
    int32_t id = 129;
    for (auto& member : members_)
        id = std::max(id, member->UniqueId(type));
    SetResult(members_.empty() ? kResNotOpen : kResOk);
    return id;
}

ResCode ChainResFile::DetachResource(MemoryBlock* block) {
    return OnHolder(block, kResNoSuchResource,
                    [&](iResFile& m) { return m.DetachResource(block); });
}

bool ChainResFile::IsNativeOrder(MemoryBlock* block) {
    bool native = true;
    OnHolder(block, kResNotHeld, [&](iResFile& m) {
        native = m.IsNativeOrder(block);
        return m.LastResult();
    });
    return native;
}

ResCode ChainResFile::ChangeId(MemoryBlock* block, int16_t id) {
    return OnHolder(block, kResNotHeld, [&](iResFile& m) { return m.ChangeId(block, id); });
}

ResCode ChainResFile::AddResource(MemoryBlock* block, ResType type, int16_t id,
                                  std::string_view name, DataOrder order) {
    return AddResourceEx(block, type, id, name, 0, order);
}

ResCode ChainResFile::AddResourceEx(MemoryBlock* block, ResType type, int16_t id,
                                    std::string_view name, uint8_t attribute, DataOrder order) {
    if (members_.empty()) return SetResult(kResNotOpen);
    ResCode code = kResNotWritable;
    for (auto& member : members_) {
        code = member->AddResourceEx(block, type, id, name, attribute, order);
        if (code == kResOk) break;
    }
    return SetResult(code);
}

ResCode ChainResFile::WriteResource(MemoryBlock* block) {
    return OnHolder(block, kResNotHeld, [&](iResFile& m) { return m.WriteResource(block); });
}

ResCode ChainResFile::RemoveResource(MemoryBlock* block) {
    return OnHolder(block, kResNotHeld, [&](iResFile& m) { return m.RemoveResource(block); });
}

ResCode ChainResFile::SetResourceInfo(MemoryBlock* block, int16_t id, std::string_view name,
                                      uint8_t attribute) {
    return OnHolder(block, kResNotHeld,
                    [&](iResFile& m) { return m.SetResourceInfo(block, id, name, attribute); });
}

bool ChainResFile::SetBufferSizes(size_t readSize, size_t writeSize) {
    bool all = true;
    for (auto& member : members_)
        all = member->SetBufferSizes(readSize, writeSize) && all;
    return all;
}

}  // namespace marquill::resfile
