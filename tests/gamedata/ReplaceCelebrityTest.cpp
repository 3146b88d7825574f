#include "gamedata/ReplaceCelebrity.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;

class FixedGuids final : public GuidSource {
  public:
    uint32_t next() override { return 0x12345678; }
};

class ReplaceTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(game_.path() + "/UserData/Characters");
        std::filesystem::create_directories(game_.path() + "/TemplateCelebrity");
        writeNeighborhood(neighborhood(), {0x1111});
        writePerson(personPath(), {.guid = 0x1111, .objectName = "user00012", .names = {"Old"}});
        writePerson(celebrity(),
                    {.guid = 0x5555, .objectName = "Star", .names = {"Star"}, .pictures = 0});
    }
    std::string neighborhood() const { return game_.path() + "/UserData/Neighborhood.iff"; }
    std::string personPath() const { return game_.path() + "/UserData/Characters/User00012.iff"; }
    std::string celebrity() const { return game_.path() + "/TemplateCelebrity/Star.iff"; }
    ReplaceRequest request() const {
        return ReplaceRequest{game_.path(), 1, personPath(), celebrity(), {}};
    }
    size_t filesIn(const std::string& dir) const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
    TempFolder game_;
    TempFolder data_;
    FixedGuids guids_;
};

TEST_F(ReplaceTest, TheNewFileKeepsThePersonsGuidAndIsNamedAfterBoth) {
    BackupStore store(data_.path() + "/backups");
    const auto oldBytes = bytesOf(personPath());
    auto result = replaceCelebrity(request(), store, guids_);
    ASSERT_EQ(result.outcome, ReplaceResult::Outcome::Replaced) << result.message;
    EXPECT_EQ(result.objectName, "user00012 - Star (Marquill)");

    IFFResFile2 file;
    ASSERT_EQ(file.Open(personPath(), Access::ReadOnly), kResOk);
    MemoryBlock* objd = file.GetIndResource(kTypeObjectDefinition, 1);
    ASSERT_NE(objd, nullptr);
    std::string name;
    (void)file.GetResourceName(objd, name);
    const uint8_t* d = objd->Bytes().data();
    EXPECT_EQ(name, "user00012 - Star (Marquill)");
    EXPECT_EQ(readU32le(d + kOffsetGuid), 0x1111u);
    EXPECT_EQ(readU32le(d + kOffsetPreviousGuid), 0x5555u);
    EXPECT_EQ(d[kOffsetReplaced], 2);
    EXPECT_EQ(d[kOffsetReplaced + 1], 0);
    (void)Release(file, objd);
    EXPECT_EQ(readDisplayName(file), "Star");
    (void)file.Close();

    // The backup holds the old file and says where it came from; restoring puts it back.
    auto listed = store.list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].personPath, personPath());
    EXPECT_EQ(listed[0].celebrityPath, celebrity());
    EXPECT_EQ(listed[0].neighborhood, 1);
    std::string error;
    ASSERT_TRUE(store.restore(listed[0], &error)) << error;
    EXPECT_EQ(bytesOf(personPath()), oldBytes);
    EXPECT_EQ(filesIn(game_.path() + "/UserData/Characters"), 1u);
}

TEST_F(ReplaceTest, AFailureAtAnyStageLeavesTheNeighbourhoodByteIdentical) {
    const auto person = bytesOf(personPath());
    const auto hood = bytesOf(neighborhood());
    for (ReplaceStage failing : {ReplaceStage::Backup, ReplaceStage::Copy, ReplaceStage::Identity,
                                 ReplaceStage::Check, ReplaceStage::Rename}) {
        BackupStore store(data_.path() + "/backups");
        ReplaceRequest r = request();
        r.beforeStage = [failing](ReplaceStage s) { return s != failing; };
        auto result = replaceCelebrity(r, store, guids_);
        EXPECT_EQ(result.outcome, ReplaceResult::Outcome::Failed) << static_cast<int>(failing);
        EXPECT_NE(result.message.find("not changed"), std::string::npos) << result.message;
        EXPECT_EQ(bytesOf(personPath()), person);
        EXPECT_EQ(bytesOf(neighborhood()), hood);
        EXPECT_EQ(filesIn(game_.path() + "/UserData/Characters"), 1u);  // no temporary left
        EXPECT_TRUE(store.list().empty());
    }
}

TEST_F(ReplaceTest, ACelebrityFileThatIsNotAPersonChangesNothing) {
    BackupStore store(data_.path() + "/backups");
    writePerson(celebrity(), {.guid = 1, .objd = false});
    const auto person = bytesOf(personPath());
    auto result = replaceCelebrity(request(), store, guids_);
    EXPECT_EQ(result.outcome, ReplaceResult::Outcome::Failed);
    EXPECT_EQ(bytesOf(personPath()), person);
}

TEST_F(ReplaceTest, APersonFileWithoutObjectDefinitionIsLeftAlone) {
    BackupStore store(data_.path() + "/backups");
    writePerson(personPath(), {.guid = 1, .objd = false});
    auto result = replaceCelebrity(request(), store, guids_);
    EXPECT_EQ(result.outcome, ReplaceResult::Outcome::NotAPerson);
    EXPECT_TRUE(store.list().empty());
}

TEST(ReplacementName, IsWindows1252TextCutToSixtyThreeCharacters) {
    EXPECT_EQ(replacementName("/a/User00012.iff", "/t/Star.iff"), "user00012 - Star (Marquill)");
    EXPECT_EQ(replacementName("/a/USER1.IFF", "/t/" + std::string(80, 'x') + ".iff").size(), 63u);
    // File names on disk are UTF-8 when the player named them, Windows-1252 when they were
    // copied from Windows as they were; the game reads the name as Windows-1252 either way.
    EXPECT_EQ(replacementName("/a/User00004.iff", "/t/Zo\xC3\xAB Star.iff"),
              "user00004 - Zo\xEB Star (Marquill)");
    EXPECT_EQ(replacementName("/a/User00004.iff", "/t/Zo\xEB Star.iff"),
              "user00004 - Zo\xEB Star (Marquill)");
    EXPECT_EQ(replacementName("/a/User00004.iff", "/t/\xE6\x98\x9F \xE2\x82\xAC.iff"),
              "user00004 - ? \x80 (Marquill)")
        << "a character Windows-1252 cannot hold becomes \"?\"";
    EXPECT_EQ(replacementName("/a/User1.iff", "/t/" + std::string(40, 'x') + "\xC3\xAB.iff").size(),
              std::string("user1 - ").size() + 40 + 1 + std::string(" (Marquill)").size())
        << "cut after conversion: one byte per character";
}

}  // namespace
}  // namespace marquill::gamedata
