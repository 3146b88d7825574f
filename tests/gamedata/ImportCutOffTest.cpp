// The import with a file layer that is killed at, or fails, each of its writes in turn
// (backup, copy, identity, check, rename): the person file is the old one or the finished new
// one; a failure is reported, changes nothing and leaves no scratch file; a scratch file of a
// killed run is gone after the next import.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "gamedata/ReplaceCelebrity.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;

constexpr const char* kPersonFolder = "/game/UserData/Characters";
constexpr const char* kPerson = "/game/UserData/Characters/User00012.iff";
constexpr const char* kCelebrity = "/game/TemplateCelebrity/Star.iff";
constexpr const char* kBackups = "/home/player/backups";

class FixedGuids final : public GuidSource {
  public:
    uint32_t next() override { return 0x12345678; }
};

struct Import {
    ReplaceResult result;
    std::vector<uint8_t> person;
};

Import runImport(platform::MemoryFiles& files) {
    BackupStore store(kBackups, files);
    FixedGuids guids;
    Import run;
    run.result =
        replaceCelebrity(ReplaceRequest{"/game", 1, kPerson, kCelebrity, {}}, store, guids, files);
    run.person = files.bytesOf(kPerson).value_or(std::vector<uint8_t>{});
    return run;
}

TEST(ImportCutOff, APersonFileIsOldOrNewWhereverTheImportIsCutOff) {
    TempFolder disk;
    writePerson(disk.path() + "/person.iff",
                {.guid = 0x1111, .objectName = "user00012", .names = {"Old"}});
    writePerson(disk.path() + "/star.iff",
                {.guid = 0x5555, .objectName = "Star", .names = {"Star"}, .pictures = 0});
    const auto oldPerson = bytesOf(disk.path() + "/person.iff");
    auto fresh = [&] {
        auto files = std::make_unique<platform::MemoryFiles>();
        files->put(kPerson, oldPerson);
        files->put(kCelebrity, bytesOf(disk.path() + "/star.iff"));
        return files;
    };

    auto reference = fresh();
    const Import uncut = runImport(*reference);
    ASSERT_EQ(uncut.result.outcome, ReplaceResult::Outcome::Replaced) << uncut.result.message;
    const uint64_t writes = reference->writes();
    ASSERT_GT(writes, 10u);

    forEveryCutOff(writes, fresh, [&](platform::MemoryFiles& files, CutOff cutOff) {
        const Import cut = runImport(files);
        EXPECT_TRUE(cut.person == oldPerson || cut.person == uncut.person);
        if (cutOff == CutOff::Fail) {
            EXPECT_EQ(cut.result.outcome, ReplaceResult::Outcome::Failed);
            EXPECT_EQ(cut.person, oldPerson);
            EXPECT_EQ(scratchFilesIn(files, kPersonFolder), 0u);
            return;
        }
        auto later = files.restart("run2");
        EXPECT_EQ(runImport(*later).result.outcome, ReplaceResult::Outcome::Replaced);
        EXPECT_EQ(scratchFilesIn(*later, kPersonFolder), 0u);
    });
}

}  // namespace
}  // namespace marquill::gamedata
