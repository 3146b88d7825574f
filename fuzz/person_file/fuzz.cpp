// A downloaded celebrity file or a person file edited by another tool: everything the import and
// the new-celebrity flows read from it. The files live in memory, so no input waits for a disk.
#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/ChosenPerson.h"
#include "gamedata/CopyObjectFile.h"
#include "gamedata/NewCelebrityFile.h"
#include "gamedata/PersonFile.h"
#include "platform/MemoryFiles.h"
#include "resfile/IFFResFile2.h"

namespace {

class FixedGuids final : public marquill::gamedata::GuidSource {
  public:
    uint32_t next() override { return 42; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    platform::MemoryFiles files;
    const std::string input = "/fuzz/input.iff";
    files.put(input, std::vector<uint8_t>(data, data + size));

    (void)gamedata::readChosenPerson(input, files);
    {
        resfile::IFFResFile2 file(files);
        if (file.Open(input, resfile::Access::ReadOnly) == resfile::kResOk) {
            (void)gamedata::readPersonGuid(file);
            (void)file.Close();
        }
    }
    FixedGuids guids;
    (void)gamedata::copyObjectFile(input, "/fuzz/copy.iff", "fuzz", guids, files);

    gamedata::CelebrityValues values;
    values.name = "Fuzz";
    values.description = "d";
    gamedata::SilentReporter reporter;
    (void)gamedata::makeNewCelebrityFile("/fuzz/made", input, values, reporter, files);
    return 0;
}
