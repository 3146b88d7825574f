// Every text of the wizard's tables, letter for letter as the tool has always said it.
#include <gtest/gtest.h>

#include <map>

#include "celeb/RecordChecks.h"
#include "character/LookLists.h"
#include "wizard/ControlIds.h"
#include "wizard/DialogTemplate.h"
#include "wizard/Sounds.h"
#include "wizard/ToolTips.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {
namespace {

TEST(Texts, StepHintsAndTitles) {
    const std::vector<std::string_view> hints = {
        "Welcome to the Marquill. Please decide whether you want to Create or Import a "
        "Celebrity.",
        "Pick a head and normal fashion body for your pemm",
        "Now pick high fashion body for your pemm",
        "Pick a Name and Description for your pemm",
        "Pick a personality for your pemm",
        "Choose top 5 interests",
        "Choose Fame Level",
        "Export your Pemm",
        "",
        "Select the neighborhood you want to get this user from.",
        "Now pick the pemm you downloaded- this will replace the user you picked.",
        "Now, replace this pemm.",
    };
    EXPECT_EQ(std::vector<std::string_view>(text::kStepHints.begin(), text::kStepHints.end()),
              hints);
    const std::vector<std::string_view> titles = {
        "",
        "Schmoozin with the Stars",
        "Schmoozin with the Stars, part II",
        "What's in a name?",
        "What's your sign?",
        "What floats your boat?",
        "Take it to the top!",
        "Ready to Export?",
        "",
        "Which Neighborhood?",
        "",
        "Replace the Pemm",
    };
    EXPECT_EQ(std::vector<std::string_view>(text::kStepTitles.begin(), text::kStepTitles.end()),
              titles);
    EXPECT_EQ(text::kTracePrefix, "The Pemms Marquill: ");
    EXPECT_EQ(text::kTraceNoCelebrities,
              "No celebs in neighborhood.  Ask for another neighborhood.");
    EXPECT_EQ(text::kTraceIniting, "Initing Tool");
    EXPECT_EQ(text::kTraceChecking, "Checking for The Pemms");
    EXPECT_EQ(text::kTraceFound, "Found it:");
    EXPECT_EQ(text::kTraceNotFound, "Not Found! Bailing");
    EXPECT_EQ(text::kTraceToolTips, "Creating Tool Tips:");
    EXPECT_EQ(text::kTraceInitialized, "Tool Initialized");
}

TEST(Texts, MessagesAndStatusTexts) {
    const std::map<std::string_view, std::string_view> texts = {
        {text::kTitleWarning, "Marquill Warning:"},
        {text::kTitleError, "Error"},
        {text::kTitleMarquill, "Marquill"},
        {text::kCheckingForGame, "Checking for The Pemms"},
        {text::kToolInitialized, "Tool Initialized"},
        {text::kGameNotDetected,
         "The Pemms was not detected on this computer. You must have The Pemms installed to use "
         "this program."},
        {text::kGameRunning,
         "Looks like The Pemms is running, you need to quit the Pemms first before running "
         "Marquill."},
        {text::kNoTemplateFolder,
         "Marquill couldn't find or create the TemplateCelebrity folder in your Pemms "
         "directory.  Please make sure the Pemms is installed properly."},
        {text::kAboutMenuItem, "&About this program..."},
        {text::kQuitQuestion, "Are you sure you want to quit?"},
        {text::kFashionOk, "Fashion Skin Selection Ok"},
        {text::kEnterName, "Please enter a name for the pemm."},
        {text::kEnterDescription, "Please enter a description for the pemm."},
        {text::kNameDone, "Press Next to Continue"},
        {text::kTooManyPoints,
         "No Pemm is that perfect! You have allocated too many points. You are limited to 25 "
         "personality points."},
        {text::kPointsLeft, "You haven't used up all your personality points."},
        {text::kPointsDone, "Press next to continue."},
        {text::kSignButton, "What's Your Sign?"},
        {text::kTooManyTop, "Too many selected... you can only have five top interests."},
        {text::kTooManyLow, "Too many selected... you can only have five bad interests."},
        {text::kNeedInterests, "You need to select 5 top interests for your Pemm."},
        {text::kInterestsDone, "Press Next to continue."},
        {text::kNotInteresting,
         "This Pemm won't be very interesting to talk to! You need to select 5 top interests "
         "for your Pemm."},
        {text::kSelectCelebrity, "Select the celebrity you want to replace."},
        {text::kNoCelebrities,
         "There are no celebrities in the neighborhood you specified.  You'll need to run the "
         "game once in that neighborhood to create them."},
        {text::kReplaced, "Your downloaded pemm is now available in game."},
        {text::kReadmeName, "readme.txt"},
        {text::kTemplateFolderName, "TemplateCelebrity"},
    };
    for (const auto& [actual, expected] : texts)
        EXPECT_EQ(actual, expected);
    EXPECT_EQ(std::string_view(character::kSkinSelectionOk), "Skin Selection Ok");
    EXPECT_EQ(std::string_view(character::kInvalidHeadOrSkin), "Invalid Head or Skin Selection");
    EXPECT_EQ(std::string_view(character::kInvalidFashionSkin), "Invalid Fashion Skin Selection");
}

TEST(Texts, TheRefusalsOfTheNamePage) {
    auto empty = celeb::checkName("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->message,
              "Name: A word or words by which an entity is designated and distinguished from "
              "others. Please name this Pemm.");
    auto longName = celeb::checkName(std::string(31, 'a'));
    ASSERT_TRUE(longName);
    EXPECT_EQ(longName->status, "Name too long");
    auto noDescription = celeb::checkDescription("");
    ASSERT_TRUE(noDescription);
    EXPECT_EQ(noDescription->message,
              "An account of a person's life written, composed, or produced by another is just "
              "what this Pemm needs. Please provide a description for this Pemm.");
    auto longDescription = celeb::checkDescription(std::string(1025, 'a'));
    ASSERT_TRUE(longDescription);
    EXPECT_EQ(longDescription->status, "Description too long");
}

TEST(Texts, SoundNames) {
    EXPECT_EQ(sound::kStartup, "PEMMS");
    EXPECT_EQ(sound::kClick, "CLICK");
    EXPECT_EQ(sound::kDenied, "DENIED");
}

TEST(Texts, ToolTipsInRegistrationOrder) {
    const std::vector<std::pair<int, std::string_view>> expected = {
        {id::kHelp, "View the ReadMe file."},
        {id::kCreate, "Create a new Celeb."},
        {id::kReplace, "Import a downloaded celeb into your game."},
        {id::kReload, "Rescan the game folders for skins."},
        {id::kAbout, "About this program."},
        {id::kLoad, "Load a Pemm from the game."},
        {id::kSaveToGame, "Save this Pemm back to the game."},
        {id::kBodyTexture, "Select a texture for the body here."},
        {id::kBodyMesh, "Select a body here."},
        {id::kHeadTexture, "Select a texture for the head here."},
        {id::kHeadMesh, "Select a head here."},
        {id::kZoom, "Change the size of the displayed Pemm."},
        {id::kFacing, "Change Pemm to face in this direction."},
        {id::kRotate, "Auto rotate the Pemm."},
        {id::kBodyMesh, "Change the body mesh."},
        {id::kBodyTexture, "Change the Body Texture."},
        {id::kHeadTexture, "Change the Head Texture."},
        {id::kSkinType, "Change the skin color."},
        {id::kBodyType, "Change the Body Type."},
        {id::kHeadMesh, "Change the Head Mesh."},
        {id::kBack, "Go back a step."},
        {id::kNext, "Proceed to the next step."},
        {id::kNeat, "How neat is your Pemm?"},
        {id::kNice, "How nice is your Pemm?"},
        {id::kOutgoing, "How outgoing is your Pemm?"},
        {id::kActive, "How active is your Pemm?"},
        {id::kPlayful, "How playful is your Pemm?"},
        {id::kTop, "Choose the Pemm's 5 Top Interests."},
    };
    std::vector<std::pair<int, std::string_view>> actual;
    for (const ToolTip& t : toolTips())
        actual.emplace_back(t.controlId, t.text);
    EXPECT_EQ(actual, expected);
}

TEST(Texts, TheWizardTemplate) {
    const DialogTemplate& d = wizardDialogTemplate();
    EXPECT_EQ(d.caption, "The Pemms Marquill");
    EXPECT_EQ(d.width, 474);
    EXPECT_EQ(d.height, 315);
    EXPECT_EQ(d.font, "Comic Sans MS");
    EXPECT_EQ(d.pointSize, 8);
    // Each id once; the table is the one source of the controls.
    std::map<int, int> seen;
    for (const ControlLayout& c : d.controls)
        EXPECT_EQ(++seen[c.id], 1) << c.id;

    struct Caption {
        int id;
        std::string_view text;
        std::string_view picture;
    };
    const std::vector<Caption> captions = {
        {id::kBack, "Back", "BACK"},
        {id::kAbout, "About", "ABOUT"},
        {id::kNext, "Next", "NEXT"},
        {id::kHelp, "Help", "HELP"},
        {id::kQuit, "Quit", "QUIT"},
        {id::kCreate, "Create", "CREATE"},
        {id::kReplace, "Replace", "REPLACE"},
        {id::kSave, "Save", "SAVE"},
        {id::kAddTop, "Add", "ADD"},
        {id::kRemoveTop, "Remove", "REMOVE"},
        {id::kAddLow, "Add", "ADD"},
        {id::kRemoveLow, "Remove", "REMOVE"},
        {id::kFacingLabel, "Facing:", ""},
        {id::kRotateLabel, "Rotate:", ""},
        {id::kZoomLabel, "Small           Zoom           Large", ""},
        {id::kWelcomePicture, "", "132"},
        {id::kWelcomeText, "Welcome to the Kavor\nMarquill Tool!", ""},
        {id::kBodyTypeLabel, "Body Type:", ""},
        {id::kSkinTypeLabel, "Skin Type:", ""},
        {id::kGenderLabel, "Gender:", ""},
        {id::kMale, "Male", ""},
        {id::kFemale, "Female", ""},
        {id::kBodyMeshLabel, "Body Mesh:", ""},
        {id::kBodyTextureLabel, "Body Texture:", ""},
        {id::kHeadMeshLabel, "Head Mesh:", ""},
        {id::kHeadTextureLabel, "Head Texture:", ""},
        {id::kNameLabel, "Name of this Pemm:", ""},
        {id::kDescriptionLabel, "Describe this Pemm:", ""},
        {id::kSign, "What's Your Sign?", ""},
        {id::kPointsLabel, "Personality Points Left:", ""},
        {id::kPoints, "25", ""},
        {id::kNiceLabel, "Nice", ""},
        {id::kNeatLabel, "Neat", ""},
        {id::kOutgoingLabel, "Outgoing", ""},
        {id::kActiveLabel, "Active", ""},
        {id::kPlayfulLabel, "Playful", ""},
        {id::kTopLabel, "Select Top 5 Interests", ""},
        {id::kLowLabel, "Low Interests", ""},
        {id::kFameLabel, "Fame Level", ""},
        {id::kFamePicture, "", "199"},
        {id::kExportText,
         "You are now ready to export your Pemm. Click on Save Pemm to Export. The Save dialog "
         "will automatically go to the proper folder. Just give it a file name.",
         ""},
        {id::kFameSliderLabel, "Fame Level", ""},
        {id::kLoad, "Load", ""},
        {id::kReload, "Reload", ""},
        {id::kSaveToGame, "Save", ""},
        {id::kOk, "OK", ""},
    };
    for (const Caption& c : captions) {
        const ControlLayout* layout = d.find(c.id);
        ASSERT_NE(layout, nullptr) << c.id;
        EXPECT_EQ(layout->caption, c.text) << c.id;
        EXPECT_EQ(layout->picture, c.picture) << c.id;
    }
    auto items = [&](int controlId) {
        return std::vector<std::string_view>(d.find(controlId)->items);
    };
    EXPECT_EQ(items(id::kFacing), (std::vector<std::string_view>{"North West", "North East",
                                                                 "South West", "South East"}));
    EXPECT_EQ(items(id::kRotate), (std::vector<std::string_view>{"None", "Slow", "Fast"}));
    EXPECT_EQ(items(id::kBodyType), (std::vector<std::string_view>{"Fit", "Full", "Thin"}));
    EXPECT_EQ(items(id::kSkinType), (std::vector<std::string_view>{"Light", "Medium", "Dark"}));
    // Places given in dialog units.
    const ControlLayout* status = d.find(id::kStatus);
    EXPECT_EQ((std::array<int, 4>{status->x, status->y, status->w, status->h}),
              (std::array<int, 4>{15, 232, 218, 43}));
    const ControlLayout* preview = d.find(id::kPreview);
    EXPECT_EQ((std::array<int, 4>{preview->x, preview->y, preview->w, preview->h}),
              (std::array<int, 4>{280, 30, 184, 254}));
    EXPECT_TRUE(d.find(id::kLow)->has(style::kSorted));
    EXPECT_FALSE(d.find(id::kTop)->has(style::kSorted));
    EXPECT_TRUE(d.find(id::kAvailable)->has(style::kMultipleSelection));
    EXPECT_TRUE(d.find(id::kStatus)->has(style::kBordered));
    EXPECT_TRUE(d.find(id::kDescription)->has(style::kMultiLine));
    for (int hidden : {id::kFameSliderLabel, id::kFameSlider, id::kSignLabel, id::kLoad,
                       id::kReload, id::kSaveToGame, id::kOk})
        EXPECT_TRUE(d.find(hidden)->has(style::kHidden)) << hidden;
}

TEST(Texts, TheSmallDialogTemplates) {
    EXPECT_EQ(aboutDialogTemplate().caption, "The Pemms Marquill");
    EXPECT_EQ(aboutDialogTemplate().width, 373);
    EXPECT_EQ(aboutDialogTemplate().height, 191);
    EXPECT_EQ(aboutDialogTemplate().find(id::kAboutVersion)->caption, "Marquill Version 1.3");
    EXPECT_EQ(aboutDialogTemplate().find(id::kAboutHelp)->w, 6);
    EXPECT_EQ(messageDialogTemplate().caption, "Save Complete");
    EXPECT_EQ(messageDialogTemplate().width, 154);
    EXPECT_EQ(messageDialogTemplate().height, 56);
    EXPECT_EQ(messageDialogTemplate().pointSize, 12);
    EXPECT_EQ(confirmDialogTemplate().caption, "OK or Cancel");
    EXPECT_EQ(confirmDialogTemplate().width, 148);
    EXPECT_EQ(confirmDialogTemplate().height, 61);
    EXPECT_EQ(confirmDialogTemplate().find(id::kCancel)->picture, "CANCEL");
    EXPECT_EQ(splashDialogTemplate().width, 333);
    EXPECT_EQ(splashDialogTemplate().height, 231);
    EXPECT_EQ(splashDialogTemplate().font, "MS Sans Serif");
    EXPECT_EQ(splashDialogTemplate().find(id::kSplashPicture)->picture, "180");
    EXPECT_EQ(pickerDialogTemplate().caption, "Pick a Neighborhood");
    EXPECT_EQ(pickerDialogTemplate().find(id::kPickerMessage)->caption, "Message?");
    EXPECT_EQ(pickerDialogTemplate().find(id::kPickerBack)->caption, "Back");
    EXPECT_EQ(pickerDialogTemplate().find(id::kPickerNext)->caption, "Next");
    EXPECT_EQ(pickerDialogTemplate().find(id::kOk)->caption, "OK");
}

}  // namespace
}  // namespace marquill::wizard
