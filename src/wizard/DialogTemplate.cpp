#include "wizard/DialogTemplate.h"

#include "wizard/ControlIds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

using K = ControlKind;
using namespace style;

constexpr std::string_view kComic = "Comic Sans MS";

DialogTemplate makeWizard() {
    return DialogTemplate{
        "IDD_MARQUILL_DIALOG",
        "The Pemms Marquill",
        474,
        315,
        kComic,
        8,
        dialog_style::kCaption | dialog_style::kSystemMenu | dialog_style::kMinimiseBox |
            dialog_style::kTaskBar,
        {
            {id::kBack, K::PictureButton, "Back", 10, 184, 75, 23, 0, "BACK"},
            {id::kAbout, K::PictureButton, "About", 10, 207, 75, 23, 0, "ABOUT"},
            {id::kNext, K::PictureButton, "Next", 160, 184, 75, 23, 0, "NEXT"},
            {id::kHelp, K::PictureButton, "Help", 85, 207, 75, 23, 0, "HELP"},
            {id::kQuit, K::PictureButton, "Quit", 160, 207, 75, 23, 0, "QUIT"},
            {id::kCreate, K::PictureButton, "Create", 10, 184, 75, 23, 0, "CREATE"},
            {id::kReplace, K::PictureButton, "Replace", 160, 184, 75, 23, 0, "REPLACE"},
            {id::kSave, K::PictureButton, "Save", 160, 184, 75, 23, 0, "SAVE"},
            {id::kStatus, K::Text, "", 15, 232, 218, 43, kBordered},
            {id::kPreview, K::Frame, "", 280, 30, 184, 254},
            {id::kFacingLabel, K::Label, "Facing:", 4, 280, 26, 9},
            {id::kFacing,
             K::DropList,
             "",
             32,
             280,
             114,
             12,
             0,
             "",
             {"North West", "North East", "South West", "South East"}},
            {id::kRotateLabel, K::Label, "Rotate:", 4, 297, 26, 9},
            {id::kRotate, K::DropList, "", 32, 295, 114, 12, 0, "", {"None", "Slow", "Fast"}},
            {id::kZoomLabel, K::Label, "Small           Zoom           Large", 160, 281, 87, 9},
            {id::kZoom, K::Slider, "", 160, 291, 87, 20, kTicks},
            {id::kWelcomePicture, K::Picture, "", 35, 23, 213, 148, 0, "132"},
            {id::kWelcomeText, K::Text, "Welcome to the Kavor\nMarquill Tool!", 99, 103, 77, 17,
             kCentred},
            // Steps 1 and 2.
            {id::kBodyTypeLabel, K::Label, "Body Type:", 27, 39, 38, 9},
            {id::kBodyType, K::DropList, "", 67, 37, 62, 12, 0, "", {"Fit", "Full", "Thin"}},
            {id::kSkinTypeLabel, K::Label, "Skin Type:", 153, 39, 38, 9},
            {id::kSkinType, K::DropList, "", 193, 37, 58, 12, 0, "", {"Light", "Medium", "Dark"}},
            {id::kGenderLabel, K::Label, "Gender:", 70, 19, 40, 10},
            {id::kMale, K::ToggleButton, "Male", 117, 19, 45, 14},
            {id::kFemale, K::ToggleButton, "Female", 164, 19, 45, 14},
            {id::kBodyMeshLabel, K::Label, "Body Mesh:", 37, 55, 80, 9},
            {id::kBodyMesh, K::List, "", 19, 69, 100, 48, kSorted | kVerticalScroll | kBordered},
            {id::kBodyTextureLabel, K::Label, "Body Texture:", 141, 55, 80, 9},
            {id::kBodyTexture, K::List, "", 141, 68, 101, 48,
             kSorted | kVerticalScroll | kBordered},
            {id::kHeadMeshLabel, K::Label, "Head Mesh:", 37, 122, 80, 9},
            {id::kHeadMesh, K::List, "", 19, 135, 100, 48, kSorted | kVerticalScroll | kBordered},
            {id::kHeadTextureLabel, K::Label, "Head Texture:", 141, 122, 80, 9},
            {id::kHeadTexture, K::List, "", 141, 135, 101, 48,
             kSorted | kVerticalScroll | kBordered},
            // Step 3.
            {id::kNameLabel, K::Label, "Name of this Pemm:", 53, 48, 62, 9},
            {id::kName, K::Edit, "", 117, 46, 85, 14, kBordered | kAutoHorizontalScroll},
            {id::kDescriptionLabel, K::Label, "Describe this Pemm:", 53, 83, 80, 9},
            {id::kDescription, K::Edit, "", 22, 93, 214, 64,
             kBordered | kMultiLine | kVerticalScroll},
            // Step 4.
            {id::kSign, K::FlatButton, text::kSignButton, 37, 9, 70, 14},
            {id::kPointsLabel, K::Label, "Personality Points Left:", 165, 11, 76, 9},
            {id::kPoints, K::Text, "25", 243, 11, 16, 9},
            {id::kNiceLabel, K::Label, "Nice", 108, 40, 38, 9},
            {id::kNeatLabel, K::Label, "Neat", 108, 69, 38, 9},
            {id::kOutgoingLabel, K::Label, "Outgoing", 108, 98, 38, 9},
            {id::kActiveLabel, K::Label, "Active", 108, 128, 38, 9},
            {id::kPlayfulLabel, K::Label, "Playful", 108, 157, 38, 9},
            {id::kNice, K::Slider, "", 148, 35, 100, 20, kTicks},
            {id::kNeat, K::Slider, "", 148, 64, 100, 20, kTicks},
            {id::kOutgoing, K::Slider, "", 148, 93, 100, 20, kTicks},
            {id::kActive, K::Slider, "", 148, 123, 100, 20, kTicks},
            {id::kPlayful, K::Slider, "", 148, 152, 100, 20, kTicks},
            // Step 5.
            {id::kAvailable, K::List, "", 19, 36, 75, 127,
             kMultipleSelection | kVerticalScroll | kBordered},
            {id::kAddTop, K::PictureButton, "Add", 97, 36, 70, 23, 0, "ADD"},
            {id::kRemoveTop, K::PictureButton, "Remove", 97, 63, 70, 23, 0, "REMOVE"},
            {id::kAddLow, K::PictureButton, "Add", 97, 114, 70, 23, 0, "ADD"},
            {id::kRemoveLow, K::PictureButton, "Remove", 97, 140, 70, 23, 0, "REMOVE"},
            {id::kTopLabel, K::Label, "Select Top 5 Interests", 169, 23, 80, 9},
            {id::kTop, K::List, "", 174, 37, 67, 48,
             kMultipleSelection | kVerticalScroll | kBordered},
            {id::kLowLabel, K::Label, "Low Interests", 183, 103, 60, 9},
            {id::kLow, K::List, "", 174, 113, 67, 48,
             kMultipleSelection | kSorted | kVerticalScroll | kBordered},
            // Step 6.
            {id::kFameLabel, K::Label, "Fame Level", 56, 95, 50, 9},
            {id::kFame, K::DropList, "", 58, 108, 82, 12},
            {id::kFamePicture, K::Picture, "", 24, 98, 23, 21, 0, "199"},
            // Step 7 and the save.
            {id::kExportText, K::Text,
             "You are now ready to export your Pemm. Click on Save Pemm to Export. The Save dialog "
             "will automatically go to the proper folder. Just give it a file name.",
             61, 35, 160, 117},
            {id::kProgress, K::Progress, "", 20, 163, 200, 14},
            {id::kProgressText, K::Text, "", 37, 142, 206, 22},
            // Steps 9 and 10.
            {id::kCelebrities, K::List, "", 37, 38, 192, 145, kVerticalScroll | kBordered},
            {id::kCelebrityFiles, K::List, "", 37, 38, 195, 145, kVerticalScroll | kBordered},
            // Never shown.
            {id::kFameSliderLabel, K::Label, "Fame Level", 58, 97, 50, 9, kHidden},
            {id::kFameSlider, K::Slider, "", 111, 108, 100, 20, kHidden},
            {id::kSignLabel, K::Label, "", 32, 11, 70, 9, kHidden},
            {id::kLoad, K::Button, "Load", 0, 0, 10, 10, kHidden},
            {id::kReload, K::Button, "Reload", 0, 12, 10, 10, kHidden},
            {id::kSaveToGame, K::Button, "Save", 0, 24, 10, 10, kHidden},
            {id::kOk, K::Button, "OK", 456, 296, 18, 16, kHidden | kDefaultButton},
        }};
}

DialogTemplate makeAbout() {
    return DialogTemplate{
        "IDD_ABOUTBOX",
        "The Pemms Marquill",
        373,
        191,
        kComic,
        8,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kAboutIcon, K::Picture, "", 14, 14, 21, 20, 0, "ICON"},
            {id::kAboutVersion, K::Label, "Marquill Version 1.3", 50, 14, 300, 12},
            {id::kAboutCredits, K::Label,
             "Design and programming: the Marquill developers.\n"
             "Made for players of The Pemms who want stars of their own.\n"
             "Pictures and sounds of this tool are its own.",
             50, 36, 300, 100},
            {id::kOk, K::PictureButton, "OK", 149, 155, 75, 23, kDefaultButton, "OK"},
            {id::kAboutHelp, K::PictureButton, "", 0, 185, 6, 6, 0, "HELP"},
        }};
}

DialogTemplate makeMessage() {
    return DialogTemplate{
        "CPemmSaved",
        "Save Complete",
        154,
        56,
        kComic,
        12,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kMessageText, K::Text, "", 7, 4, 140, 26, kCentred},
            {id::kOk, K::PictureButton, "OK", 39, 31, 75, 23, kDefaultButton, "OK"},
        }};
}

DialogTemplate makeConfirm() {
    return DialogTemplate{
        "CDMOKCancel",
        "OK or Cancel",
        148,
        61,
        kComic,
        12,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kMessageText, K::Text, "", 7, 4, 134, 30, kCentred},
            {id::kOk, K::PictureButton, "OK", 0, 37, 74, 23, kDefaultButton, "OK"},
            {id::kCancel, K::PictureButton, "Cancel", 74, 37, 74, 23, 0, "CANCEL"},
        }};
}

DialogTemplate makeSplash() {
    return DialogTemplate{"IDD_TITLE",
                          "",
                          333,
                          231,
                          "MS Sans Serif",
                          8,
                          dialog_style::kBorderless | dialog_style::kCentreOnScreen,
                          {
                              {id::kSplashPicture, K::Picture, "", 0, 0, 333, 231, kNotify, "180"},
                          }};
}

DialogTemplate makePicker() {
    return DialogTemplate{
        "MarquillPickNhood",
        "Pick a Neighborhood",
        250,
        122,
        kComic,
        8,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kPickerMessage, K::Text, "Message?", 10, 8, 230, 52},
            {id::kPickerBack, K::PictureButton, "Back", 10, 64, 75, 23, 0, "BACK"},
            {id::kOk, K::PictureButton, "OK", 88, 64, 75, 23, kDefaultButton, "OK"},
            {id::kPickerNext, K::PictureButton, "Next", 165, 64, 75, 23, 0, "NEXT"},
            {id::kPickerLeave, K::PictureButton, "Cancel", 88, 94, 75, 23, 0, "CANCEL"},
        }};
}

// Made for this port: the games a player's launchers keep, to choose one.
DialogTemplate makeGameChooser() {
    return DialogTemplate{
        "MarquillPickGame",
        "Pick The Pemms",
        330,
        170,
        kComic,
        8,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kGameChooserText, K::Text, "", 10, 6, 310, 22},
            {id::kGameChooserList, K::List, "", 10, 30, 310, 100, kBordered | kVerticalScroll},
            {id::kOk, K::PictureButton, "OK", 84, 138, 75, 23, kDefaultButton, "OK"},
            {id::kCancel, K::PictureButton, "Cancel", 170, 138, 75, 23, 0, "CANCEL"},
        }};
}

// CPemmSaved's "not detected" message with a way on: the folder dialog.
DialogTemplate makeNotDetected() {
    return DialogTemplate{
        "CPemmSaved",
        text::kTitleError,
        154,
        76,
        kComic,
        12,
        dialog_style::kCaption | dialog_style::kSystemMenu,
        {
            {id::kMessageText, K::Text, "", 7, 4, 140, 26, kCentred},
            {id::kChooseGameFolder, K::FlatButton, "Choose the game folder...", 17, 31, 120, 16},
            {id::kOk, K::PictureButton, "OK", 39, 50, 75, 23, kDefaultButton, "OK"},
        }};
}

}  // namespace

const ControlLayout* DialogTemplate::find(int controlId) const {
    for (const ControlLayout& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

const DialogTemplate& wizardDialogTemplate() {
    static const DialogTemplate d = makeWizard();
    return d;
}

const DialogTemplate& aboutDialogTemplate() {
    static const DialogTemplate d = makeAbout();
    return d;
}

const DialogTemplate& messageDialogTemplate() {
    static const DialogTemplate d = makeMessage();
    return d;
}

const DialogTemplate& confirmDialogTemplate() {
    static const DialogTemplate d = makeConfirm();
    return d;
}

const DialogTemplate& splashDialogTemplate() {
    static const DialogTemplate d = makeSplash();
    return d;
}

const DialogTemplate& pickerDialogTemplate() {
    static const DialogTemplate d = makePicker();
    return d;
}

const DialogTemplate& gameChooserDialogTemplate() {
    static const DialogTemplate d = makeGameChooser();
    return d;
}

const DialogTemplate& notDetectedDialogTemplate() {
    static const DialogTemplate d = makeNotDetected();
    return d;
}

}  // namespace marquill::wizard
