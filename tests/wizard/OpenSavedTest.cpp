// Opening a saved celebrity from the menu: what the reading repaired and the names the game no
// longer offers are listed in one message, a running game does not stop it, and a file that
// cannot be read leaves the wizard where it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "celeb/SaveSequence.h"
#include "wizard/WizardTestSupport.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

class OpenSaved : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::copyDemoTo(game());
        rig = std::make_unique<WizardRig>(game(), WizardRig::Preview::Scene);
        ASSERT_TRUE(rig->startWithPreview());
    }
    [[nodiscard]] std::string game() const { return tree.root() + "/game"; }
    [[nodiscard]] std::string folder() const { return game() + "/TemplateCelebrity"; }

    // A file of ours in every field but the ones a test spoils.
    void save(const std::string& path, const celeb::PemmData& record,
              const character::Appearance& look) {
        testing::FileOnlySaveHost host(path);
        celeb::SkinFileList skins;
        const celeb::SaveSetup setup{game(), rig->env.templatePath, nullptr, {}};
        ASSERT_EQ(celeb::saveCelebrity(record, {look, record.fameLevel()}, setup, skins, host, {})
                      .outcome,
                  celeb::SaveResult::Outcome::Saved);
    }
    [[nodiscard]] static celeb::PemmData plainRecord() {
        celeb::PemmData r;
        r.setName("Rex Ample");
        r.setDescription("Plain.");
        for (int k = 0; k < celeb::kTraitCount; ++k)
            r.setTrait(k, 5);
        for (int p = 0; p < celeb::kInterestCount; ++p)
            r.setInterestAt(p, p);
        r.setFameLevel(3);
        return r;
    }

    marquill::testing::TempTree tree;
    std::unique_ptr<WizardRig> rig;
};

TEST_F(OpenSaved, RepairsAndNamesNoLongerOfferedShowInOneMessageEvenWhileTheGameRuns) {
    celeb::PemmData record = plainRecord();
    record.setTrait(celeb::kNice, 12);
    character::Appearance look;
    look.headMesh = "c999ma_gone";
    save(folder() + "/Rex.srf", record, look);

    rig->env.running = true;
    rig->host.openPath = folder() + "/Rex.iff";
    rig->dlg().systemMenu(id::kSystemMenuOpenSaved);

    ASSERT_EQ(rig->host.openRequests.size(), 1u);
    EXPECT_EQ(rig->host.openRequests[0].first, text::kOpenSavedTitle);
    EXPECT_EQ(rig->host.openRequests[0].second, folder());
    const auto messages = rig->host.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, text::kOpenSavedTitle);
    const std::string& text = messages[0].text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;  // a heading, two lines
    EXPECT_NE(text.find("c999ma_gone"), std::string::npos) << text;
    EXPECT_NE(text.find("Nice 12"), std::string::npos) << text;

    // Step 1 with the repaired values: the trait at its most, the page's default head.
    EXPECT_EQ(rig->dlg().step(), 1);
    EXPECT_EQ(rig->dlg().record().trait(celeb::kNice), 10);
    EXPECT_EQ(rig->dlg().record().name(), "Rex Ample");
    EXPECT_EQ(rig->control(id::kName).text, "Rex Ample");
    EXPECT_EQ(rig->control(id::kFame).selected(), 3);
    EXPECT_EQ(rig->control(id::kHeadMesh).selectedText(), "c011ma_repo");

    // The save that may follow is refused while the game runs, as `create` refuses.
    rig->host.savePath = folder() + "/Rex2.srf";
    rig->dlg().goToStep(7);
    rig->dlg().click(id::kSave);
    EXPECT_TRUE(rig->host.saveRequests.empty());
    EXPECT_EQ(rig->host.messages().back().text, text::kGameRunning);
    EXPECT_EQ(rig->dlg().step(), 7);
    EXPECT_FALSE(std::filesystem::exists(folder() + "/Rex2.srf"));
}

// The game's own template holds no interests at all: one repair each, more than a message shows.
TEST_F(OpenSaved, AFileNotOfOursIsOpenedWithItsRepairsCutToAScreen) {
    rig->host.openPath = rig->env.templatePath;
    rig->dlg().systemMenu(id::kSystemMenuOpenSaved);
    const auto messages = rig->host.messages();
    ASSERT_EQ(messages.size(), 1u);
    const std::string& text = messages[0].text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << text;
    EXPECT_NE(text.find(" more (marquill show FILE lists every one)"), std::string::npos) << text;
    EXPECT_EQ(rig->dlg().step(), 1);
}

TEST_F(OpenSaved, AnExchangeFileWithoutItsPersonFileIsAnErrorThatLeavesTheWizardAsItWas) {
    save(folder() + "/Lone.srf", plainRecord(), {});
    std::filesystem::remove(folder() + "/Lone.iff");
    const std::string nameBefore = rig->control(id::kName).text;

    rig->host.openPath = folder() + "/Lone.srf";
    rig->dlg().systemMenu(id::kSystemMenuOpenSaved);
    const auto messages = rig->host.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, text::kTitleError);
    EXPECT_NE(messages[0].text.find("Lone.iff"), std::string::npos) << messages[0].text;
    EXPECT_EQ(rig->dlg().step(), 0);
    EXPECT_EQ(rig->control(id::kName).text, nameBefore);

    // Cancelled: nothing at all.
    rig->host.openPath.reset();
    rig->dlg().systemMenu(id::kSystemMenuOpenSaved);
    EXPECT_EQ(rig->host.messages().size(), 1u);
    EXPECT_EQ(rig->dlg().step(), 0);
}

}  // namespace
}  // namespace marquill::wizard
