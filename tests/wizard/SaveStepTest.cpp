// Step 7's Save without the preview: the dialog, the files, the progress and the way back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "WizardTestSupport.h"
#include "platform/GamePath.h"
#include "platform/ProfileStrings.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;
namespace fs = std::filesystem;

std::string textOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SaveStep : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig_.start());
        rig_.dlg().goToStep(1);  // presses the record's gender, Male
        rig_.dlg().goToStep(3);
        testing::passTraitPages(rig_, "Star", "a\r\nb");
        ASSERT_EQ(rig_.dlg().step(), 7);
    }
    std::string templateFolder() const {
        return platform::resolveGamePath(game_.root(), "TemplateCelebrity");
    }

    marquill::testing::TempTree game_;
    WizardRig rig_{game_.root()};
};

TEST_F(SaveStep, CancellingTheFileDialogWritesNothingAndStays) {
    rig_.host.savePath.reset();
    rig_.dlg().click(id::kSave);
    ASSERT_EQ(rig_.host.saveRequests.size(), 1u);
    const celeb::SaveDialogRequest& r = rig_.host.saveRequests[0];
    EXPECT_EQ(r.title, "Select the name to save this Pemm");
    EXPECT_EQ(r.filter, "Marquill Files (*.srf)| *.srf||");
    EXPECT_EQ(r.defaultExtension, ".srf");
    EXPECT_EQ(r.defaultName, "Star");
    EXPECT_EQ(r.initialFolder, templateFolder());
    EXPECT_EQ(rig_.dlg().step(), 7);
    EXPECT_TRUE(fs::is_empty(templateFolder()));
    EXPECT_FALSE(rig_.control(id::kProgress).visible);
    EXPECT_TRUE(rig_.host.modals.empty());
}

TEST_F(SaveStep, ASaveWritesTheFilesAndReturnsToTheWelcomeStep) {
    rig_.host.savePath = templateFolder() + "/star.srf";
    rig_.host.press(id::kCancel);  // no exchange site now
    rig_.dlg().click(id::kSave);

    EXPECT_EQ(rig_.dlg().step(), 0);
    EXPECT_TRUE(rig_.control(id::kCreate).visible);
    EXPECT_FALSE(rig_.control(id::kProgress).visible);
    EXPECT_FALSE(rig_.control(id::kProgressText).visible);
    // The progress was shown while it ran.
    EXPECT_NE(std::find(rig_.host.changed.begin(), rig_.host.changed.end(), id::kProgress),
              rig_.host.changed.end());
    EXPECT_EQ(rig_.control(id::kProgress).position, 9);
    EXPECT_EQ(rig_.control(id::kProgressText).text, "Finished!");

    ASSERT_TRUE(fs::exists(templateFolder() + "/star.srf"));
    EXPECT_TRUE(fs::exists(templateFolder() + "/star.iff"));
    const auto doc = platform::ProfileDocument::parse(textOf(templateFolder() + "/star.srf"));
    auto key = [&](const char* k) {
        const std::string* v = doc.get("Marquill", k);
        return v ? *v : std::string("<none>");
    };
    EXPECT_EQ(key("Name"), "Star");
    EXPECT_EQ(key("Description"), "a  b");
    EXPECT_EQ(key("Sign"), "1");
    EXPECT_EQ(key("FameLevel"), "6");
    EXPECT_EQ(key("Gender"), "Male");
    EXPECT_EQ(key("Weather"), "10");
    EXPECT_EQ(key("Politics"), "1");
    EXPECT_EQ(key("Travel"), "5");
    EXPECT_EQ(key("Version"), "4");

    const auto confirms = rig_.host.modalsOf("CDMOKCancel");
    ASSERT_EQ(confirms.size(), 1u);
    EXPECT_EQ(confirms[0].caption, "Marquill");
    EXPECT_EQ(confirms[0].text,
              "The Pemm was saved. Would you like to connect to The Pemms Celeb Exchange now?");
    const auto messages = rig_.host.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Finished!");
    EXPECT_EQ(messages[0].text,
              "The Pemm was saved. You can replace another Celeb with it or upload it to The "
              "Pemms Exchange later.");
    EXPECT_TRUE(rig_.host.opened.empty());
    // The record and the controls keep the celebrity for the next one.
    EXPECT_EQ(rig_.dlg().record().name(), "Star");
    EXPECT_EQ(rig_.control(id::kName).text, "Star");
}

TEST_F(SaveStep, ConnectingOpensTheExchangeOnceBackAtTheWelcomeStep) {
    rig_.host.savePath = templateFolder() + "/star.srf";
    rig_.dlg().click(id::kSave);  // OK to the question
    ASSERT_EQ(rig_.host.opened.size(), 1u);
    EXPECT_NE(rig_.host.opened[0].find("exchange_stars/"), std::string::npos);
    EXPECT_TRUE(rig_.host.messages().empty());
    EXPECT_EQ(rig_.dlg().step(), 0);

    // Saving again to the same name replaces the files.
    rig_.dlg().goToStep(7);
    rig_.dlg().click(id::kSave);
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(templateFolder())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

}  // namespace
}  // namespace marquill::wizard

namespace marquill::wizard {
namespace {

// Without the preview the look is the design's as the look pages left it: its head and body
// texture files still travel with the celebrity.
TEST(SaveStepWithoutPreview, TheExchangeFileListsTheHeadAndBodyOfTheDesign) {
    marquill::testing::TempTree game;
    const character::Appearance look;  // the look pages' defaults
    game.file("GameData/Skins/" + look.bodyTexture + ".bmp", "BM");
    game.file("GameData/Skins/" + look.headTexture + ".bmp", "BM");
    WizardRig rig(game.root());
    ASSERT_TRUE(rig.start());
    rig.dlg().goToStep(1);
    rig.dlg().goToStep(3);
    testing::passTraitPages(rig, "Star", "a");
    ASSERT_EQ(rig.dlg().step(), 7);
    const std::string folder = platform::resolveGamePath(game.root(), "TemplateCelebrity");
    rig.host.savePath = folder + "/star.srf";
    rig.host.press(id::kCancel);
    rig.dlg().click(id::kSave);
    ASSERT_EQ(rig.dlg().step(), 0);

    const auto doc = platform::ProfileDocument::parse(textOf(folder + "/star.srf"));
    auto key = [&](const std::string& k) {
        const std::string* v = doc.get("Marquill", k);
        return v ? *v : std::string("<none>");
    };
    ASSERT_EQ(key("SkinFileCount"), "2");
    EXPECT_NE(key("SkinFile1").find(look.bodyTexture + ".bmp"), std::string::npos);
    EXPECT_NE(key("SkinFile2").find(look.headTexture + ".bmp"), std::string::npos);
}

}  // namespace
}  // namespace marquill::wizard
