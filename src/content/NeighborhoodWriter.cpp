#include "content/NeighborhoodWriter.h"

#include <cstdio>
#include <cstring>

#include "platform/ByteSink.h"
#include "platform/Cp1252.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"

namespace marquill::content {

using namespace resfile;

bool writeNeighborhoodFile(const std::string& path, const std::vector<FamilySpec>& families,
                           std::string* error) {
    std::remove(path.c_str());
    IFFResFile2 file;
    ResCode code = file.Create(path);
    if (code == kResOk) code = file.Open(path, Access::ReadWrite);
    for (size_t i = 0; code == kResOk && i < families.size(); ++i) {
        const FamilySpec& f = families[i];
        cFamily family;
        family.leadValue = static_cast<int32_t>(i + 1);
        family.secondValue = 20000 + static_cast<int32_t>(i) * 1500;  // funds
        family.values = {static_cast<int32_t>(i), 0, 1};
        family.flagWord = f.id == 5000 ? 0x10 : 0;
        family.memberGuids = f.members;
        family.trailingValue = 0;
        code = family.Store(file, f.id);
        if (code != kResOk) break;
        StringSetMulti names;
        names.Select(file, f.id, kTypeFamilyNames, StringForm::Binary, 0);
        names.Set(1, platform::utf8ToCp1252(f.name), 0);
        code = names.Save();
        if (code != kResOk) break;
        platform::VectorSink house;
        house.u32le(static_cast<uint32_t>(i + 1));  // lot
        house.u32le(0);
        MemoryBlock* block = NewBlock(house.data().size());
        if (!block) {
            code = kResOutOfMemory;
            break;
        }
        std::memcpy(block->Bytes().data(), house.data().data(), house.data().size());
        code = file.AddResource(block, kTypeFamilyHouse, f.id, "", DataOrder::Native);
        if (code != kResOk) {
            DisposeBlock(block);
            break;
        }
        code = file.WriteResource(block);
    }
    ResCode closed = file.IsOpen() ? file.Close() : kResOk;
    if (code == kResOk) code = closed;
    if (code != kResOk) {
        if (error) *error = "cannot write " + path + " (result " + std::to_string(code) + ")";
        return false;
    }
    return true;
}

}  // namespace marquill::content
