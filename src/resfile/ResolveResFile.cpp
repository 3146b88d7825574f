#include "resfile/ResolveResFile.h"

#include <algorithm>

namespace marquill::resfile {

std::string ResolveResFile::NormalisePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    while (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    return path;
}

ResCode ResolveResFile::Create(const std::string&) {
    return SetResult(kResUnsupported);
}

ResCode ResolveResFile::Delete(const std::string&) {
    return SetResult(kResUnsupported);
}

ResCode ResolveResFile::Open(const std::string& path, Access) {
    path_ = NormalisePath(path);
    return SetResult(kResAlreadyOpen);
}

ResCode ResolveResFile::GetPath(std::string& path) {
    path = path_;
    return SetResult(kResNotOpen);
}

int ResolveResFile::CountTypes() {
    SetResult(kResNotOpen);
    return 0;
}

ResType ResolveResFile::GetIndType(int) {
    SetResult(kResNotOpen);
    return 0;
}

int ResolveResFile::CountResources(ResType) {
    SetResult(kResNotOpen);
    return 0;
}

MemoryBlock* ResolveResFile::GetResource(ResType, int16_t, ConvertRoutine) {
    SetResult(kResNotOpen);
    return nullptr;
}

MemoryBlock* ResolveResFile::GetNamedResource(ResType, std::string_view, ConvertRoutine) {
    SetResult(kResNotOpen);
    return nullptr;
}

MemoryBlock* ResolveResFile::GetIndResource(ResType, int, ConvertRoutine) {
    SetResult(kResNotOpen);
    return nullptr;
}

ResCode ResolveResFile::GetResourceName(MemoryBlock*, std::string& name) {
    name.clear();
    return SetResult(kResNoSuchResource);
}

ResType ResolveResFile::GetResourceType(MemoryBlock*) {
    SetResult(kResNoSuchResource);
    return 0;
}

ResCode ResolveResFile::GetResourceId(MemoryBlock*, int16_t&) {
    return SetResult(kResNoSuchResource);
}

ResCode ResolveResFile::UniqueName(ResType, std::string&) {
    return SetResult(kResNotOpen);
}

int32_t ResolveResFile::UniqueId(ResType) {
    SetResult(kResNotOpen);
    return 129;
}

ResCode ResolveResFile::DetachResource(MemoryBlock*) {
    return SetResult(kResNoSuchResource);
}

bool ResolveResFile::IsNativeOrder(MemoryBlock*) {
    SetResult(kResNotHeld);
    return true;
}

ResCode ResolveResFile::ChangeId(MemoryBlock*, int16_t) {
    return SetResult(kResNotHeld);
}

ResCode ResolveResFile::AddResource(MemoryBlock*, ResType, int16_t, std::string_view, DataOrder) {
    return SetResult(kResNotOpen);
}

ResCode ResolveResFile::WriteResource(MemoryBlock*) {
    return SetResult(kResNotOpen);
}

ResCode ResolveResFile::RemoveResource(MemoryBlock*) {
    return SetResult(kResNotOpen);
}

ResCode ResolveResFile::SetResourceInfo(MemoryBlock*, int16_t, std::string_view, uint8_t) {
    return SetResult(kResNotOpen);
}

}  // namespace marquill::resfile
