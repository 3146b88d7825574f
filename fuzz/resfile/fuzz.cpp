// Opens fuzzed bytes as a resource file and does what the program does with one: lists it,
// loads every resource, reads string sets and records, then edits a copy and reads it again.
// The file lives in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MemoryFiles.h"
#include "resfile/OpenIFFFile.h"
#include "resfile/RecordIO.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"
#include "resfile/cTreeConstants.h"

using namespace marquill::resfile;

namespace {

void DecodeData(std::span<const uint8_t> data) {
    StringResourceData strings;
    (void)DecodeStrings(data, StringForm::Binary, strings);
    (void)DecodeStrings(data, StringForm::Text, strings);
    cFamily family;
    family.familyId = 5000;
    SimpleReconObject<cFamily> familyRecord(family, kTypeFamily);
    (void)ReadRecord(data, familyRecord);
    cTreeConstants constants;
    SimpleReconObject<cTreeConstants> constantsRecord(constants, kTypeTreeConstants);
    (void)ReadRecord(data, constantsRecord);
}

void ReadEverything(IFFChunkFile& file) {
    (void)file.DescribeResources();
    const int types = file.CountTypes();
    for (int t = 1; t <= types && t <= 32; ++t) {
        const ResType type = file.GetIndType(t);
        const int count = file.CountResources(type);
        for (int i = 1; i <= count && i <= 64; ++i) {
            MemoryBlock* block = file.GetIndResource(type, i, (i % 2) ? ConvertRecord : nullptr);
            if (!block) continue;
            DecodeData(block->Bytes());
            int16_t id = 0;
            std::string name;
            (void)file.GetResourceId(block, id);
            (void)file.GetResourceName(block, name);
            (void)file.GetNamedResource(type, name);
            if (type == kTypeStrings || type == kTypeTextStrings) {
                StringSet single;
                (void)single.Load(file, id);
                StringSetMulti multi;
                multi.Select(file, id, type,
                             type == kTypeTextStrings ? StringForm::Text : StringForm::Binary,
                             static_cast<uint8_t>(id & 0x1F));
                (void)multi.Load(StringSetMulti::Languages::All,
                                 StringSetMulti::Fallback::Language0);
            }
            if (type == kTypeFamily) {
                cFamily family;
                (void)family.Load(file, id);
            }
            if (type == kTypeTreeConstants) {
                cTreeConstants constants;
                (void)constants.Load(file, id);
            }
        }
    }
}

void EditCopy(const std::string& path, marquill::platform::FileLayer& files) {
    ResCode code = kResOk;
    auto file = OpenIFFFile(path, Access::ReadWrite, code, files);
    if (!file) return;
    if (MemoryBlock* first = file->GetIndResource(file->GetIndType(1), 1)) {
        (void)file->RemoveResource(first);
    }
    for (int16_t id = 0; id < 3; ++id) {
        MemoryBlock* block = NewBlock(static_cast<size_t>(40 * id));
        if (!block) continue;
        if (file->AddResource(block, kTypeStrings, id, "fuzz", DataOrder::Native) != kResOk) {
            DisposeBlock(block);
            continue;
        }
        (void)file->WriteResource(block);
    }
    StringSet strings;
    (void)strings.Load(*file, 0);
    strings.Set(strings.Count() + 1, "x");
    (void)strings.Save();
    (void)file->Close();
    file = OpenIFFFile(path, Access::ReadOnly, code, files);
    if (file) ReadEverything(*file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    marquill::platform::MemoryFiles files;
    const std::string path = "/fuzz/input.iff";
    files.put(path, std::vector<uint8_t>(data, data + size));
    DecodeData({data, size});
    ResCode code = kResOk;
    if (auto file = OpenIFFFile(path, Access::ReadOnly, code, files)) {
        ReadEverything(*file);
        file->Close();
        EditCopy(path, files);
    }
    return 0;
}
