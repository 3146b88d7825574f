// Steps 9 to 11 on a copy of the demo installation: the picker, the celebrity lists, choosing
// entries, and the replacement with its backup.
#include <gtest/gtest.h>

#include <filesystem>

#include "WizardTestSupport.h"
#include "gamedata/PersonFile.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "resfile/IFFResFile2.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

struct ObjectDefinition {
    uint32_t guid = 0, previousGuid = 0;
    std::string name;
};

ObjectDefinition objectOf(const std::string& path) {
    ObjectDefinition o;
    resfile::IFFResFile2 file;
    if (file.Open(path, resfile::Access::ReadOnly) != resfile::kResOk) return o;
    if (resfile::MemoryBlock* objd = file.GetIndResource(gamedata::kTypeObjectDefinition, 1)) {
        (void)file.GetResourceName(objd, o.name);
        o.guid = gamedata::readU32le(objd->Bytes().data() + gamedata::kOffsetGuid);
        o.previousGuid = gamedata::readU32le(objd->Bytes().data() + gamedata::kOffsetPreviousGuid);
        (void)resfile::Release(file, objd);
    }
    (void)file.Close();
    return o;
}

class FixedGuids final : public gamedata::GuidSource {
  public:
    uint32_t next() override { return 0x0BADF00D; }
};

class ImportSteps : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::copyDemoTo(game_.root() + "/game");
        rig_ = std::make_unique<WizardRig>(game());
        rig_->options.import.guids = &guids_;
        ASSERT_TRUE(rig_->start());
    }
    std::string game() const { return game_.root() + "/game"; }
    std::string person(const char* folder, const char* file) const {
        return platform::resolveGamePath(game(), std::string(folder) + "/Characters/" + file);
    }
    WizardRig& rig() { return *rig_; }
    marquill::testing::TempTree game_;
    FixedGuids guids_;
    std::unique_ptr<WizardRig> rig_;
};

TEST_F(ImportSteps, ReplaceOpensThePickerAndListsTheCelebritiesOfTheNeighborhood) {
    rig().dlg().click(id::kReplace);
    ASSERT_EQ(rig().dlg().step(), 9);
    const auto pickers = rig().host.modalsOf("MarquillPickNhood");
    ASSERT_EQ(pickers.size(), 1u);
    EXPECT_EQ(pickers[0].caption, "Pick a Neighborhood");
    EXPECT_EQ(pickers[0].text,
              "Pick a Neighborhood.\n\n" + gamedata::GamePaths(game()).neighborhoodFile(1));
    EXPECT_EQ(rig().items(id::kCelebrities),
              (std::vector<std::string>{"User00002.iff   -   Vera Voltage",
                                        "User00004.iff   -   Marty Marquee",
                                        "User00005.iff   -   Lola Limelight"}));
    EXPECT_TRUE(rig().control(id::kCelebrities).visible);
    EXPECT_EQ(rig().control(id::kCelebrities).selected(), 0);
    EXPECT_EQ(rig().status(), "Select the celebrity you want to replace.");
    EXPECT_EQ(rig().dlg().import().personPath(), person("UserData", "User00002.iff"));
    EXPECT_EQ(rig().dlg().import().personName(), "Vera Voltage");
    EXPECT_FALSE(rig().control(id::kProgress).visible);
    EXPECT_TRUE(rig().control(id::kBack).enabled);
    EXPECT_TRUE(rig().control(id::kNext).enabled);

    rig().select(id::kCelebrities, {2});
    EXPECT_EQ(rig().dlg().import().personPath(), person("UserData", "User00005.iff"));
    EXPECT_EQ(rig().dlg().import().personName(), "Lola Limelight");
    // Replace, the first entry, the picker's OK and the second entry: four clicks.
    EXPECT_EQ(rig().host.soundPlayer.count("CLICK"), 4);
}

TEST_F(ImportSteps, ANeighborhoodWithoutCelebritiesWarnsAndOpensThePickerAgain) {
    rig().host.pick(2);  // neighbourhood 5: no celebrities
    rig().host.pick(2);  // and once more
    rig().host.pick(1);  // neighbourhood 2
    rig().dlg().click(id::kReplace);
    EXPECT_EQ(rig().host.modalsOf("MarquillPickNhood").size(), 3u);
    const auto warnings = rig().host.messages();
    ASSERT_EQ(warnings.size(), 2u);
    for (const auto& w : warnings) {
        EXPECT_EQ(w.caption, "Marquill Warning:");
        EXPECT_EQ(w.text,
                  "There are no celebrities in the neighborhood you specified.  You'll need to "
                  "run the game once in that neighborhood to create them.");
    }
    EXPECT_EQ(rig().dlg().import().neighborhood(), 2);
    EXPECT_EQ(rig().items(id::kCelebrities).size(), 2u);
    const auto& t = rig().host.traces;
    EXPECT_EQ(std::count(t.begin(), t.end(),
                         "The Pemms Marquill: No celebs in neighborhood.  Ask for another "
                         "neighborhood."),
              2);
}

TEST_F(ImportSteps, ThePickersCancelLeadsBackToTheWelcomeStep) {
    rig().host.pick(2);
    rig().host.pick(0, id::kPickerLeave);
    rig().dlg().click(id::kReplace);
    EXPECT_EQ(rig().dlg().step(), 0);
    EXPECT_TRUE(rig().control(id::kCreate).visible);
    EXPECT_FALSE(rig().control(id::kCelebrities).visible);
    EXPECT_EQ(rig().status(),
              "Welcome to the Marquill. Please decide whether you want to Create or Import a "
              "Celebrity.");
}

TEST_F(ImportSteps, BackFromTheCelebrityListGoesToTheWelcomeStep) {
    rig().dlg().click(id::kReplace);
    ASSERT_EQ(rig().dlg().step(), 9);
    rig().dlg().click(id::kBack);
    EXPECT_EQ(rig().dlg().step(), 0);
    EXPECT_FALSE(rig().control(id::kCelebrities).visible);
    EXPECT_TRUE(rig().control(id::kReplace).visible);
}

TEST_F(ImportSteps, TheCelebrityFilesAreListedWithoutTheGenericTemplate) {
    rig().dlg().click(id::kReplace);
    rig().dlg().click(id::kNext);
    ASSERT_EQ(rig().dlg().step(), 10);
    EXPECT_EQ(rig().items(id::kCelebrityFiles),
              (std::vector<std::string>{"Crooner.iff", "Star.iff"}));
    EXPECT_FALSE(rig().control(id::kCelebrities).visible);
    EXPECT_EQ(rig().status(),
              "Now pick the pemm you downloaded- this will replace the user you picked.");
    EXPECT_EQ(rig().dlg().import().celebrityPath(),
              platform::resolveGamePath(game(), "TemplateCelebrity/Crooner.iff"));
    rig().select(id::kCelebrityFiles, {1});
    EXPECT_EQ(rig().dlg().import().personName(), "Stella Starr");
    // Back opens the picker again.
    rig().dlg().click(id::kBack);
    EXPECT_EQ(rig().dlg().step(), 9);
    EXPECT_EQ(rig().host.modalsOf("MarquillPickNhood").size(), 2u);
}

TEST_F(ImportSteps, TheReplacementKeepsTheGuidBacksUpAndLeavesTheNeighborhoodFile) {
    const std::string target = person("UserData", "User00004.iff");
    const std::string nhood = gamedata::GamePaths(game()).neighborhoodFile(1);
    const auto nhoodBefore = platform::readWholeFile(nhood);
    const auto targetBefore = platform::readWholeFile(target);
    const ObjectDefinition old = objectOf(target);
    const ObjectDefinition star =
        objectOf(platform::resolveGamePath(game(), "TemplateCelebrity/Star.iff"));

    rig().dlg().click(id::kReplace);
    rig().select(id::kCelebrities, {1});
    rig().dlg().click(id::kNext);
    rig().select(id::kCelebrityFiles, {1});
    rig().dlg().click(id::kNext);

    EXPECT_EQ(rig().dlg().step(), 0);
    EXPECT_EQ(rig().status(),
              "Welcome to the Marquill. Please decide whether you want to Create or Import a "
              "Celebrity.");
    ASSERT_TRUE(rig().dlg().import().lastReplace());
    const gamedata::ReplaceResult& r = *rig().dlg().import().lastReplace();
    ASSERT_EQ(r.outcome, gamedata::ReplaceResult::Outcome::Replaced) << r.message;
    EXPECT_TRUE(rig().host.messages().empty());

    const ObjectDefinition now = objectOf(target);
    EXPECT_EQ(now.guid, old.guid);
    EXPECT_EQ(now.previousGuid, star.guid);
    EXPECT_EQ(now.name, "user00004 - Star (Marquill)");
    EXPECT_EQ(platform::readWholeFile(nhood), nhoodBefore);

    // The backup holds the old file.
    ASSERT_FALSE(r.backup.savedFile.empty());
    EXPECT_EQ(r.backup.folder.rfind(rig().tool.root() + "/backups", 0), 0u);
    EXPECT_EQ(platform::readWholeFile(r.backup.savedFile), targetBefore);
    EXPECT_EQ(r.backup.personPath, target);

    // The neighbourhood now lists the new celebrity in the old one's place.
    rig().dlg().click(id::kReplace);
    EXPECT_EQ(rig().items(id::kCelebrities)[1], "User00004.iff   -   Stella Starr");
}

TEST_F(ImportSteps, AFailedReplacementSaysSoAndLeavesThePersonFile) {
    rig().dlg().click(id::kReplace);
    rig().dlg().click(id::kNext);
    // The celebrity file disappears before the replacement.
    std::filesystem::remove(rig().dlg().import().celebrityPath());
    const std::string target = rig().dlg().import().personPath();
    const auto before = platform::readWholeFile(target);
    rig().dlg().click(id::kNext);
    EXPECT_EQ(rig().dlg().step(), 0);
    ASSERT_EQ(rig().host.messages().size(), 1u);
    EXPECT_EQ(rig().host.messages()[0].caption, "Marquill Error:");
    EXPECT_EQ(platform::readWholeFile(target), before);
}

TEST_F(ImportSteps, WithNoCelebrityFileToChooseNothingIsReplacedAndThePlayerIsTold) {
    for (const auto& e : std::filesystem::directory_iterator(
             platform::resolveGamePath(game(), "TemplateCelebrity")))
        std::filesystem::remove(e.path());
    rig().dlg().click(id::kReplace);
    rig().dlg().click(id::kNext);
    EXPECT_TRUE(rig().items(id::kCelebrityFiles).empty());
    const std::string target = rig().dlg().import().personPath();
    const auto before = platform::readWholeFile(target);
    rig().dlg().click(id::kNext);
    EXPECT_EQ(rig().dlg().step(), 0);
    EXPECT_FALSE(rig().dlg().import().lastReplace());
    ASSERT_EQ(rig().host.messages().size(), 1u);
    EXPECT_EQ(rig().host.messages()[0].caption, "Marquill Error:");
    EXPECT_EQ(platform::readWholeFile(target), before);
    EXPECT_FALSE(std::filesystem::exists(rig().tool.root() + "/backups"));
}

}  // namespace
}  // namespace marquill::wizard
