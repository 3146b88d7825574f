// The import with a file layer that is killed at, or fails, each of its writes in turn
// (backup, copy, identity, check, rename): the person file is the old one or the finished new
// one; a failure is reported, changes nothing and leaves no scratch file; a scratch file of a
// killed run is gone after the next import.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "gamedata/ReplaceCelebrity.h"
#include "platform/MemoryFiles.h"
#include "platform/ScratchFile.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;

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

size_t scratchFilesIn(platform::MemoryFiles& files, const std::string& folder) {
    size_t count = 0;
    const auto entries = files.list(folder).value_or(std::vector<platform::DirectoryEntry>{});
    for (const auto& entry : entries)
        count += platform::isScratchFileName(entry.name);
    return count;
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

    for (bool kill : {true, false}) {
        for (uint64_t n = kill ? 0 : 1; n < writes; ++n) {
            SCOPED_TRACE((kill ? "stopped after write " : "failing write ") + std::to_string(n) +
                         " of " + std::to_string(writes));
            auto files = fresh();
            if (kill)
                files->stopAfter(n);
            else
                files->failAt(n);
            const Import cut = runImport(*files);
            ASSERT_TRUE(files->cutOffReached());
            const bool isOld = cut.person == oldPerson, isNew = cut.person == uncut.person;
            EXPECT_TRUE(isOld || isNew);
            if (!kill) {
                EXPECT_EQ(cut.result.outcome, ReplaceResult::Outcome::Failed);
                EXPECT_TRUE(isOld);
                EXPECT_EQ(scratchFilesIn(*files, "/game/UserData/Characters"), 0u);
                continue;
            }
            auto later = files->restart("run2");
            const Import again = runImport(*later);
            EXPECT_EQ(again.result.outcome, ReplaceResult::Outcome::Replaced);
            EXPECT_EQ(scratchFilesIn(*later, "/game/UserData/Characters"), 0u);
        }
    }
}

}  // namespace
}  // namespace marquill::gamedata
