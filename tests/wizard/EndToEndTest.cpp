// Two whole runs through the wizard model with the real preview on a copy of the demo
// installation: creating and saving a celebrity, and importing one into a neighbourhood.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "WizardTestSupport.h"
#include "gamedata/ChosenPerson.h"
#include "gamedata/PersonFile.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "platform/ProfileStrings.h"
#include "resfile/IFFResFile2.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;
namespace fs = std::filesystem;

bool isJpeg(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char start[3] = {};
    in.read(reinterpret_cast<char*>(start), 3);
    return in && start[0] == 0xFF && start[1] == 0xD8 && start[2] == 0xFF;
}

uint32_t guidOf(const std::string& path) {
    resfile::IFFResFile2 file;
    if (file.Open(path, resfile::Access::ReadOnly) != resfile::kResOk) return 0;
    const uint32_t guid = gamedata::readPersonGuid(file).value_or(0);
    (void)file.Close();
    return guid;
}

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::copyDemoTo(game());
        rig_ = std::make_unique<WizardRig>(game(), WizardRig::Preview::Scene);
        ASSERT_TRUE(rig_->startWithPreview());
    }
    std::string game() const { return folder_.root() + "/game"; }
    WizardRig& rig() { return *rig_; }
    CMarquillDlg& dlg() { return rig_->dlg(); }
    int indexOf(int controlId, std::string_view text) const {
        const auto& items = rig_->items(controlId);
        for (size_t i = 0; i < items.size(); ++i)
            if (platform::equalsIgnoringCase(items[i], text)) return static_cast<int>(i);
        return -1;
    }

    marquill::testing::TempTree folder_;
    std::unique_ptr<WizardRig> rig_;
};

TEST_F(EndToEnd, CreatingAndSavingACelebrity) {
    dlg().click(id::kCreate);
    ASSERT_EQ(dlg().step(), 1);
    dlg().click(id::kFemale);
    rig().select(id::kSkinType, {0});
    // The rave head is offered with light and medium skin only.
    ASSERT_GE(indexOf(id::kHeadMesh, "c038fa_rave"), 0);
    rig().select(id::kHeadMesh, {indexOf(id::kHeadMesh, "c038fa_rave")});
    ASSERT_FALSE(rig().items(id::kHeadTexture).empty()) << rig().status();
    ASSERT_FALSE(rig().items(id::kBodyTexture).empty()) << rig().status();
    const std::string head = rig().control(id::kHeadMesh).selectedText();
    const std::string body = rig().control(id::kBodyMesh).selectedText();
    dlg().click(id::kNext);
    ASSERT_EQ(dlg().step(), 2) << rig().status();
    EXPECT_EQ(rig().status(), "Now pick high fashion body for your pemm");
    // The fashion textures follow the fashion body stored so far (the male default); choosing
    // the body lists its own.
    rig().select(id::kBodyMesh, {0});
    ASSERT_FALSE(rig().items(id::kBodyTexture).empty());
    dlg().click(id::kNext);
    ASSERT_EQ(dlg().step(), 3) << rig().status();
    const std::string fashion = dlg().record().fashionBodyMesh();
    testing::passTraitPages(rig(), "Star", "Sings.\r\nDances.");
    ASSERT_EQ(dlg().step(), 7);

    const std::string templates = platform::resolveGamePath(game(), "TemplateCelebrity");
    rig().host.savePath = templates + "/nova.srf";
    rig().host.press(id::kCancel);
    const size_t timerChanges = rig().host.timer.size();
    dlg().click(id::kSave);
    ASSERT_EQ(dlg().step(), 0);
    EXPECT_GT(rig().host.timer.size(), timerChanges);
    EXPECT_EQ(rig().host.timer.back(), 10) << "the preview runs again";
    EXPECT_FALSE(dlg().scene()->busy());

    // The exchange file.
    std::ifstream in(templates + "/nova.srf", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const auto doc = platform::ProfileDocument::parse(text.str());
    auto key = [&](const std::string& k) {
        const std::string* v = doc.get("Marquill", k);
        return v ? *v : std::string("<none>");
    };
    EXPECT_EQ(key("Name"), "Star");
    EXPECT_EQ(key("Gender"), "Female");
    EXPECT_EQ(key("SkinColor"), "LGT");
    EXPECT_EQ(key("Description"), "Sings.  Dances.");
    const int skins = std::stoi(key("SkinFileCount"));
    EXPECT_GT(skins, 0);
    for (int i = 1; i <= skins; ++i)
        EXPECT_TRUE(fs::exists(key("SkinFile" + std::to_string(i)))) << i;
    EXPECT_EQ(key("Version"), "4");

    // The person file carries the look and the name.
    const gamedata::ChosenPerson person = gamedata::readChosenPerson(templates + "/nova.iff");
    ASSERT_TRUE(person.opened);
    EXPECT_EQ(person.displayName, "Star");
    ASSERT_TRUE(person.appearance);
    EXPECT_EQ(person.appearance->gender, celeb::kFemale);
    EXPECT_EQ(person.appearance->skinColour, 0);
    EXPECT_TRUE(platform::equalsIgnoringCase(person.appearance->headMesh, head));
    EXPECT_TRUE(platform::equalsIgnoringCase(person.appearance->bodyMesh, body));
    EXPECT_FALSE(fashion.empty());

    // Both snapshots.
    EXPECT_TRUE(isJpeg(templates + "/novahead.jpg"));
    EXPECT_TRUE(isJpeg(templates + "/novabody.jpg"));
    EXPECT_EQ(dlg().saveStep().lastResult().pictures, 2);

    // The new celebrity is offered for import.
    dlg().click(id::kReplace);
    dlg().click(id::kNext);
    EXPECT_GE(indexOf(id::kCelebrityFiles, "nova.iff"), 0);
}

TEST_F(EndToEnd, ImportingACelebrityIntoANeighborhood) {
    const gamedata::GamePaths paths(game());
    const auto nhoodBefore = platform::readWholeFile(paths.neighborhoodFile(1));
    const std::string target = paths.personFolder(1) + "User00004.iff";
    const auto targetBefore = platform::readWholeFile(target);
    const uint32_t oldGuid = guidOf(target);

    rig().host.pick(2);  // neighbourhood 5 has no celebrities
    rig().host.pick(0);  // neighbourhood 1
    dlg().click(id::kReplace);
    ASSERT_EQ(dlg().step(), 9);
    EXPECT_EQ(rig().host.messages().size(), 1u);
    EXPECT_EQ(rig().items(id::kCelebrities).size(), 3u);

    // Marty Marquee: a light-skinned man with the hipster head.
    rig().select(id::kCelebrities, {1});
    character::LookLists& looks = *dlg().scene()->lookLists();
    EXPECT_TRUE(rig().control(id::kMale).pressed);
    EXPECT_EQ(rig().control(id::kSkinType).selected(), 0);
    EXPECT_TRUE(platform::equalsIgnoringCase(looks.appearance().headMesh, "c005ma_hipster"));
    EXPECT_EQ(rig().items(id::kHeadMesh), looks.heads().entries());

    dlg().click(id::kNext);
    ASSERT_EQ(dlg().step(), 10);
    rig().select(id::kCelebrityFiles, {indexOf(id::kCelebrityFiles, "Star.iff")});
    // Stella Starr: a woman with the rave head.
    EXPECT_TRUE(rig().control(id::kFemale).pressed);
    EXPECT_TRUE(platform::equalsIgnoringCase(looks.appearance().headMesh, "c038fa_rave"));

    dlg().click(id::kNext);
    ASSERT_EQ(dlg().step(), 0);
    ASSERT_TRUE(dlg().import().lastReplace());
    const gamedata::ReplaceResult& r = *dlg().import().lastReplace();
    ASSERT_EQ(r.outcome, gamedata::ReplaceResult::Outcome::Replaced) << r.message;
    EXPECT_EQ(guidOf(target), oldGuid);
    EXPECT_EQ(r.objectName, "user00004 - Star (Marquill)");
    EXPECT_EQ(platform::readWholeFile(paths.neighborhoodFile(1)), nhoodBefore);
    EXPECT_EQ(platform::readWholeFile(r.backup.savedFile), targetBefore);
    EXPECT_EQ(gamedata::readChosenPerson(target).displayName, "Stella Starr");
    EXPECT_FALSE(dlg().scene()->busy());
    EXPECT_EQ(rig().host.timer.back(), 10);
}

}  // namespace
}  // namespace marquill::wizard
