// A downloaded celebrity file or a person file edited by another tool: everything the import and
// the new-celebrity flows read from it.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gamedata/ChosenPerson.h"
#include "gamedata/CopyObjectFile.h"
#include "gamedata/NewCelebrityFile.h"
#include "gamedata/PersonFile.h"
#include "platform/ByteSink.h"
#include "resfile/IFFResFile2.h"

namespace {

class FixedGuids final : public marquill::gamedata::GuidSource {
  public:
    uint32_t next() override { return 42; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    static const std::string dir = [] {
        std::string d = "/tmp/marquill-fuzz-person-" + std::to_string(::getpid());
        ::mkdir(d.c_str(), 0700);
        std::atexit([] {
            std::filesystem::remove_all("/tmp/marquill-fuzz-person-" + std::to_string(::getpid()));
        });
        return d;
    }();
    const std::string input = dir + "/input.iff";
    {
        platform::FileSink sink(input);
        sink.write(data, size);
        if (!sink.close()) return 0;
    }

    (void)gamedata::readChosenPerson(input);
    {
        resfile::IFFResFile2 file;
        if (file.Open(input, resfile::Access::ReadOnly) == resfile::kResOk) {
            (void)gamedata::readPersonGuid(file);
            (void)file.Close();
        }
    }
    const std::string copy = dir + "/copy.iff";
    std::remove(copy.c_str());
    FixedGuids guids;
    (void)gamedata::copyObjectFile(input, copy, "fuzz", guids);

    gamedata::CelebrityValues values;
    values.name = "Fuzz";
    values.description = "d";
    gamedata::SilentReporter reporter;
    (void)gamedata::makeNewCelebrityFile(dir + "/made", input, values, reporter);
    std::remove((dir + "/made.iff").c_str());
    return 0;
}
