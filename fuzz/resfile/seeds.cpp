// Writes the resource-file fuzzer's seed corpus with the library's own writers.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/ByteSink.h"
#include "resfile/IFFHeader.h"
#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"
#include "resfile/cTreeConstants.h"

using namespace marquill::resfile;

namespace {

MemoryBlock* Filled(size_t size, uint8_t fill) {
    MemoryBlock* block = NewBlock(size);
    for (auto& b : block->Bytes())
        b = fill;
    return block;
}

bool Put(iResFile& file, ResType type, int16_t id, size_t size, const char* name,
         DataOrder order = DataOrder::Native) {
    MemoryBlock* block = Filled(size, static_cast<uint8_t>(id));
    return file.AddResource(block, type, id, name, order) == kResOk &&
           file.WriteResource(block) == kResOk;
}

bool Everything(const std::string& path) {
    IFFResFile2 file;
    if (file.Create(path) != kResOk || file.Open(path, Access::ReadWrite) != kResOk) return false;
    bool ok = Put(file, kTypeStrings, 200, 10, "x");
    StringSetMulti names;
    names.Select(file, 2000, MakeResType("CTSS"), StringForm::Binary, 0);
    names.Set(1, "Name", 0);
    names.Set(2, "Description", 0);
    ok = ok && names.Save() == kResOk;
    names.Select(file, 2000, MakeResType("CTSS"), StringForm::Binary, 2);
    names.Set(1, "Nom", 2);
    ok = ok && names.Save() == kResOk;
    StringSet body;
    (void)body.Load(file, 201);  // not there yet: binds the set to the file and id
    body.Set(1, "Adult");
    body.Set(2, "b001fafit_01,BODY=b001fafitlgt_casual1");
    ok = ok && body.Save() == kResOk;
    cFamily family;
    family.memberGuids = {0x11111111, 0x22222222};
    ok = ok && family.Store(file, cFamily::kCelebrityFamilyId) == kResOk;
    cTreeConstants constants;
    constants.entries = {{1, 2, "Neat", "", true, 0, 1000}, {3, 4, "Nice", "x", false, 0, 100}};
    ok = ok && constants.Store(file, 4096) == kResOk;
    ok = ok && Put(file, MakeResType("BCON"), 4096, 6, "", DataOrder::BigEndian);
    ok = ok && Put(file, MakeResType("OBJD"), 128, 200, "person");
    return file.Close() == kResOk && ok;
}

bool WithFreeSpaceAndNoMap(const std::string& path) {
    IFFResFile2 file;
    if (file.Create(path) != kResOk || file.Open(path, Access::ReadWrite) != kResOk) return false;
    bool ok = true;
    for (int16_t id = 1; id <= 6; ++id)
        ok = ok && Put(file, kTypeStrings, id, static_cast<size_t>(id) * 50, "");
    ok = ok && file.RemoveResource(file.GetResource(kTypeStrings, 3)) == kResOk;
    ok = ok && file.RemoveResource(file.GetResource(kTypeStrings, 4)) == kResOk;
    // Leave without closing: no map, free chunks in the chain.
    ok = ok && file.Suspend() == kResOk;
    return ok;
}

bool Version1(const std::string& path) {
    IFFResFile file;
    if (file.Create(path) != kResOk || file.Open(path, Access::ReadWrite) != kResOk) return false;
    bool ok = Put(file, kTypeStrings, 5, 12, "Hello") && Put(file, kTypeStrings, 6, 3, "");
    return file.Close() == kResOk && ok;
}

bool TextStrings(const std::string& path) {
    IFFResFile2 file;
    if (file.Create(path) != kResOk || file.Open(path, Access::ReadWrite) != kResOk) return false;
    const std::string text = "junk ^first^ between ^second^";
    MemoryBlock* block = NewBlock(text.size());
    std::copy(text.begin(), text.end(), block->Bytes().begin());
    bool ok = file.AddResource(block, kTypeTextStrings, 1, "", DataOrder::Native) == kResOk;
    MemoryBlock* counted = NewBlock(7);
    const uint8_t bytes[] = {2, 0, 1, 'a', 2, 213, 161};
    std::copy(bytes, bytes + 7, counted->Bytes().begin());
    ok = ok && file.AddResource(counted, kTypeStrings, 2, "", DataOrder::Native) == kResOk;
    return file.Close() == kResOk && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    auto fresh = [&](const char* name) {
        const auto path = (dir / name).string();
        std::filesystem::remove(path);
        return path;
    };
    const bool ok = Everything(fresh("everything.iff")) &&
                    WithFreeSpaceAndNoMap(fresh("free-space.iff")) &&
                    Version1(fresh("version1.iff")) && TextStrings(fresh("text-strings.iff"));
    if (!ok) {
        std::fprintf(stderr, "a seed could not be written\n");
        return 1;
    }
    marquill::platform::VectorSink header;
    const auto bytes = MakeIFFHeader2(0);
    header.write(bytes.data(), bytes.size());
    marquill::platform::FileSink empty((dir / "header-only.iff").string());
    empty.write(header.data());
    return empty.close() ? 0 : 1;
}
