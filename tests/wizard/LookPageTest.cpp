// Steps 1 and 2 with the preview of the demo installation: the lists mirror the look lists,
// the toggles and lists change them, and Next stores what they show.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"
#include "platform/AsciiCase.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

class LookPage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig_.startWithPreview());
        rig_.dlg().click(id::kCreate);
        ASSERT_EQ(rig_.dlg().step(), 1);
    }
    character::LookLists& looks() { return *rig_.dlg().scene()->lookLists(); }
    // Every entry of a list control contains the text.
    bool allContain(int controlId, std::string_view part) const {
        for (const std::string& e : rig_.items(controlId))
            if (!platform::containsIgnoringCase(e, part)) return false;
        return !rig_.items(controlId).empty();
    }
    void expectMirrored() {
        EXPECT_EQ(rig_.items(id::kHeadMesh), looks().heads().entries());
        EXPECT_EQ(rig_.items(id::kHeadTexture), looks().headTextures().entries());
        EXPECT_EQ(rig_.items(id::kBodyMesh), looks().bodies().entries());
        EXPECT_EQ(rig_.items(id::kBodyTexture), looks().bodyTextures().entries());
        EXPECT_EQ(rig_.control(id::kHeadMesh).selected(), looks().heads().selected());
        EXPECT_EQ(rig_.control(id::kBodyTexture).selected(), looks().bodyTextures().selected());
    }

    WizardRig rig_{testing::demoGameFolder(), WizardRig::Preview::Scene};
};

TEST_F(LookPage, TheListsMirrorTheLookListsAndNextStoresThem) {
    expectMirrored();
    EXPECT_TRUE(allContain(id::kHeadMesh, "ma"));
    EXPECT_TRUE(rig_.control(id::kNext).enabled);
    rig_.dlg().click(id::kNext);
    ASSERT_EQ(rig_.dlg().step(), 2) << rig_.status();
    const celeb::PemmData& r = rig_.dlg().record();
    EXPECT_EQ(r.gender(), celeb::kMale);
    EXPECT_EQ(r.bodyType(), 0);
    EXPECT_EQ(r.skinColour(), 1);
    // What the lists showed when Next was pressed (step 2 has changed the body lists since).
    EXPECT_EQ(r.headMesh(), rig_.control(id::kHeadMesh).selectedText());
    EXPECT_EQ(r.headTexture(), rig_.control(id::kHeadTexture).selectedText());
    EXPECT_TRUE(platform::equalsIgnoringCase(r.bodyMesh(), looks().appearance().bodyMesh));
    EXPECT_TRUE(platform::equalsIgnoringCase(r.bodyTexture(), looks().appearance().bodyTexture));
    EXPECT_FALSE(r.headMesh().empty());
    // Step 2 lists the high-fashion bodies.
    EXPECT_TRUE(rig_.dlg().fashion());
    EXPECT_TRUE(looks().fashionPage());
    for (const std::string& body : rig_.items(id::kBodyMesh))
        EXPECT_EQ(platform::toLowerAscii(body)[0], 'h') << body;
    expectMirrored();
}

TEST_F(LookPage, TheGenderTogglesSwitchEachOtherAndTheLists) {
    rig_.dlg().click(id::kFemale);
    EXPECT_TRUE(rig_.control(id::kFemale).pressed);
    EXPECT_FALSE(rig_.control(id::kMale).pressed);
    EXPECT_TRUE(allContain(id::kHeadMesh, "fa"));
    expectMirrored();
    // Clicking the pressed toggle switches the gender as well.
    rig_.dlg().click(id::kFemale);
    EXPECT_FALSE(rig_.control(id::kFemale).pressed);
    EXPECT_TRUE(rig_.control(id::kMale).pressed);
    EXPECT_TRUE(allContain(id::kHeadMesh, "ma"));
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 3);  // Create and the two toggles

    rig_.dlg().click(id::kFemale);
    rig_.dlg().click(id::kNext);
    ASSERT_EQ(rig_.dlg().step(), 2) << rig_.status();
    EXPECT_EQ(rig_.dlg().record().gender(), celeb::kFemale);
}

TEST_F(LookPage, ListChoicesReachTheLookListsAndTheirStatus) {
    // Body type and skin colour click once (the lists' own click) and refill.
    const int clicks = rig_.host.soundPlayer.count("CLICK");
    rig_.select(id::kSkinType, {2});
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 1);
    EXPECT_EQ(looks().appearance().skinColour, 2);
    expectMirrored();
    rig_.select(id::kBodyType, {1});
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 2);
    EXPECT_EQ(looks().appearance().bodyType, 1);
    expectMirrored();
    const bool usable =
        !rig_.items(id::kHeadTexture).empty() && !rig_.items(id::kBodyTexture).empty();
    EXPECT_EQ(rig_.status(), usable ? "Skin Selection Ok" : "Invalid Head or Skin Selection");
    EXPECT_EQ(rig_.control(id::kNext).enabled, usable);

    // A head whose textures are missing for the skin colour empties its texture list.
    rig_.select(id::kSkinType, {1});
    for (int i = 0; i < static_cast<int>(rig_.items(id::kHeadMesh).size()); ++i) {
        rig_.select(id::kHeadMesh, {i});
        expectMirrored();
        if (rig_.items(id::kHeadTexture).empty()) {
            EXPECT_EQ(rig_.status(), "Invalid Head or Skin Selection");
            EXPECT_FALSE(rig_.control(id::kNext).enabled);
            rig_.dlg().click(id::kNext);
            EXPECT_EQ(rig_.dlg().step(), 1);
        } else {
            EXPECT_EQ(looks().appearance().headMesh, rig_.control(id::kHeadMesh).selectedText());
        }
    }
}

TEST_F(LookPage, BackFromTheFashionPageKeepsTheFashionBodyUntilStepTwoIsPassedAgain) {
    rig_.dlg().click(id::kNext);
    ASSERT_EQ(rig_.dlg().step(), 2);
    ASSERT_FALSE(rig_.items(id::kBodyTexture).empty()) << "the demo has a fashion body texture";
    rig_.dlg().click(id::kNext);
    ASSERT_EQ(rig_.dlg().step(), 3);
    EXPECT_EQ(rig_.status(), "Pick a Name and Description for your pemm");
    const std::string fashion = rig_.dlg().record().fashionBodyMesh();
    EXPECT_FALSE(fashion.empty());
    EXPECT_FALSE(rig_.dlg().fashion());

    rig_.dlg().click(id::kBack);  // 2
    rig_.dlg().click(id::kBack);  // 1
    ASSERT_EQ(rig_.dlg().step(), 1);
    EXPECT_FALSE(rig_.dlg().fashion());
    rig_.select(id::kBodyMesh, {static_cast<int>(rig_.items(id::kBodyMesh).size()) - 1});
    rig_.dlg().click(id::kNext);
    ASSERT_EQ(rig_.dlg().step(), 2);
    EXPECT_EQ(rig_.dlg().record().bodyMesh(), looks().appearance().bodyMesh);
    EXPECT_EQ(rig_.dlg().record().fashionBodyMesh(), fashion);
}

TEST_F(LookPage, FacingRotateAndZoomGoToThePreview) {
    rig_.select(id::kRotate, {2});
    EXPECT_FLOAT_EQ(rig_.dlg().scene()->cameraSettings().spinRate, 1.5f);
    rig_.select(id::kFacing, {0});
    EXPECT_FLOAT_EQ(rig_.dlg().scene()->cameraSettings().facing, 2.0f);
    EXPECT_FLOAT_EQ(rig_.dlg().scene()->cameraSettings().spinRate, 0.0f);
    EXPECT_EQ(rig_.control(id::kRotate).selectedText(), "Fast") << "the list keeps its choice";
    rig_.dlg().sliderMoved(id::kZoom, 1);
    EXPECT_EQ(rig_.dlg().scene()->cameraSettings().zoomIndex, 1);
}

TEST_F(LookPage, TheHiddenReloadButtonRescansTheTextures) {
    const int clicks = rig_.host.soundPlayer.count("CLICK");
    rig_.dlg().click(id::kReload);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 1);
    expectMirrored();
    EXPECT_FALSE(rig_.items(id::kHeadMesh).empty());
}

}  // namespace
}  // namespace marquill::wizard
