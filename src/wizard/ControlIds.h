#pragma once
// The control ids of the tool's dialogs. The wizard's ids are those its template has always used;
// the small dialogs use the platform's standard OK (1) and Cancel (2) where they have them.
namespace marquill::wizard::id {

// Wizard dialog: navigation and the parts every step shows.
inline constexpr int kOk = 1;  // hidden default button: Enter
inline constexpr int kBack = 1067;
inline constexpr int kAbout = 1028;
inline constexpr int kNext = 1068;
inline constexpr int kHelp = 1071;
inline constexpr int kQuit = 1120;
inline constexpr int kCreate = 1069;
inline constexpr int kReplace = 1072;
inline constexpr int kSave = 1110;
inline constexpr int kStatus = 1121;
inline constexpr int kPreview = 1000;
inline constexpr int kFacingLabel = 1047;
inline constexpr int kFacing = 1046;
inline constexpr int kRotateLabel = 1048;
inline constexpr int kRotate = 1049;
inline constexpr int kZoomLabel = 1051;
inline constexpr int kZoom = 1052;

// Step 0.
inline constexpr int kWelcomePicture = 1112;
inline constexpr int kWelcomeText = 1070;

// Steps 1 and 2: the look pages.
inline constexpr int kBodyTypeLabel = 1054;
inline constexpr int kBodyType = 1057;
inline constexpr int kSkinTypeLabel = 1055;
inline constexpr int kSkinType = 1058;
inline constexpr int kGenderLabel = 1076;
inline constexpr int kMale = 1074;
inline constexpr int kFemale = 1075;
inline constexpr int kBodyMeshLabel = 1059;
inline constexpr int kBodyMesh = 1020;
inline constexpr int kBodyTextureLabel = 1060;
inline constexpr int kBodyTexture = 1021;
inline constexpr int kHeadMeshLabel = 1061;
inline constexpr int kHeadMesh = 1016;
inline constexpr int kHeadTextureLabel = 1062;
inline constexpr int kHeadTexture = 1017;

// Step 3.
inline constexpr int kNameLabel = 1098;
inline constexpr int kName = 1097;
inline constexpr int kDescriptionLabel = 1100;
inline constexpr int kDescription = 1099;

// Step 4.
inline constexpr int kSign = 1109;
inline constexpr int kPointsLabel = 1091;
inline constexpr int kPoints = 1092;
inline constexpr int kNiceLabel = 1082;
inline constexpr int kNeatLabel = 1083;
inline constexpr int kOutgoingLabel = 1084;
inline constexpr int kActiveLabel = 1086;
inline constexpr int kPlayfulLabel = 1085;
inline constexpr int kNice = 1077;
inline constexpr int kNeat = 1078;
inline constexpr int kOutgoing = 1079;
inline constexpr int kActive = 1080;
inline constexpr int kPlayful = 1081;

// Step 5.
inline constexpr int kAvailable = 1102;
inline constexpr int kAddTop = 1103;
inline constexpr int kRemoveTop = 1104;
inline constexpr int kAddLow = 1107;
inline constexpr int kRemoveLow = 1108;
inline constexpr int kTopLabel = 1090;
inline constexpr int kTop = 1089;
inline constexpr int kLowLabel = 1106;
inline constexpr int kLow = 1105;

// Step 6.
inline constexpr int kFameLabel = 1094;
inline constexpr int kFame = 1093;
inline constexpr int kFamePicture = 1122;

// Step 7 and the save.
inline constexpr int kExportText = 1115;
inline constexpr int kProgress = 1116;
inline constexpr int kProgressText = 1117;

// Steps 9 and 10.
inline constexpr int kCelebrities = 1118;
inline constexpr int kCelebrityFiles = 1119;

// Never shown.
inline constexpr int kFameSliderLabel = 1096;
inline constexpr int kFameSlider = 1095;
inline constexpr int kSignLabel = 1111;
inline constexpr int kLoad = 1036;
inline constexpr int kReload = 1015;
inline constexpr int kSaveToGame = 1040;

// The window's system menu items: "&About this program...", "Open a saved celebrity..." and
// "Undo an import...".
inline constexpr int kSystemMenuAbout = 16;
inline constexpr int kSystemMenuOpenSaved = 32;
inline constexpr int kSystemMenuUndoImport = 48;

// Small dialogs.
inline constexpr int kCancel = 2;
inline constexpr int kBackground = 0;        // a click on a dialog's own surface
inline constexpr int kMessageText = 1001;    // CPemmSaved and CDMOKCancel
inline constexpr int kSplashPicture = 1002;  // IDD_TITLE
inline constexpr int kAboutIcon = 1003;
inline constexpr int kAboutVersion = 1004;
inline constexpr int kAboutCredits = 1005;
inline constexpr int kAboutHelp = 1006;
inline constexpr int kPickerMessage = 1041;  // MarquillPickNhood
inline constexpr int kPickerBack = 2;        // the standard cancel id: Escape steps down
inline constexpr int kPickerNext = 1126;
inline constexpr int kPickerLeave = 1127;      // back to the welcome step
inline constexpr int kGameChooserText = 1150;  // the game chooser
inline constexpr int kGameChooserList = 1151;
inline constexpr int kChooseGameFolder = 1152;  // "Choose the game folder..." of the chooser and
                                                // of the "not detected" message

}  // namespace marquill::wizard::id
