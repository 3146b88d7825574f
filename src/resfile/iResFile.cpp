#include "resfile/iResFile.h"

#include <unordered_set>

namespace marquill::resfile {
namespace {

std::unordered_set<const iResFile*>& LiveFiles() {
    static std::unordered_set<const iResFile*> files;
    return files;
}

}  // namespace

iResFile::iResFile() {
    LiveFiles().insert(this);
}

iResFile::~iResFile() {
    LiveFiles().erase(this);
}

size_t iResFile::LiveCount() {
    return LiveFiles().size();
}

bool iResFile::IsLive(const iResFile* file) {
    return LiveFiles().count(file) > 0;
}

MemoryBlock* iResFile::GetResourceEx(ResType type, int16_t id, uint8_t attribute,
                                     ConvertRoutine convert) {
    if (attribute != 0) {
        SetResult(kResAttributeUnsupported);
        return nullptr;
    }
    return GetResource(type, id, convert);
}

ResCode iResFile::ReservedQuery(MemoryBlock*, int16_t& value) {
    value = 0;
    return SetResult(kResUnsupported);
}

uint8_t iResFile::GetResourceAttributes(MemoryBlock* block) {
    int16_t id = 0;
    GetResourceId(block, id);
    return 0;
}

ResCode iResFile::ReservedOperation(MemoryBlock*) {
    return SetResult(kResUnsupported);
}

ResCode iResFile::AddResourceEx(MemoryBlock* block, ResType type, int16_t id, std::string_view,
                                uint8_t, DataOrder order) {
    return AddResource(block, type, id, "", order);
}

ResCode OpenResFile(iResFile& file, const std::string& path, unsigned flags) {
    if (flags & kOpenReplace) {
        const ResCode deleted = file.Delete(path);
        if (deleted != kResOk && deleted != kResNoSuchFile) return deleted;
        const ResCode created = file.Create(path);
        if (created != kResOk) return created;
    }
    const Access access = (flags & kOpenReadOnly) ? Access::ReadOnly : Access::ReadWrite;
    ResCode code = file.Open(path, access);
    if (code != kResOk && (flags & kOpenCreateMissing)) {
        code = file.Create(path);
        if (code == kResOk) code = file.Open(path, access);
    }
    return code;
}

ResCode Release(iResFile& file, MemoryBlock* block) {
    ResCode code = file.DetachResource(block);
    if (code != kResOk) return code;
    code = DisposeBlock(block);
    if (code != kResOk) file.SetResult(code);
    return code;
}

}  // namespace marquill::resfile
