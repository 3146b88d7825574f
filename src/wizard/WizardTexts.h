#pragma once
// Every text the wizard itself shows: step hints, status-line texts, message titles and messages,
// and the lines of its diagnostic trace. The refusals of the name and description checks come
// from the celebrity record's own checks.
#include <array>
#include <string_view>

#include "gamedata/GamePaths.h"
#include "gamedata/GameRunning.h"
#include "gamedata/Reporter.h"
#include "platform/GameRegistry.h"

namespace marquill::wizard::text {

inline constexpr int kStepCount = 12;

// The hint each step puts into the status line (none for step 8, which resets to step 0).
inline constexpr std::array<std::string_view, kStepCount> kStepHints = {
    "Welcome to the Marquill. Please decide whether you want to Create or Import a Celebrity.",
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

// Step titles, for the trace only.
inline constexpr std::string_view kTracePrefix = "The Pemms Marquill: ";
inline constexpr std::array<std::string_view, kStepCount> kStepTitles = {
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
inline constexpr std::string_view kTraceNoCelebrities =
    "No celebs in neighborhood.  Ask for another neighborhood.";
inline constexpr std::string_view kTraceIniting = "Initing Tool";
inline constexpr std::string_view kTraceChecking = "Checking for The Pemms";
inline constexpr std::string_view kTraceFound = "Found it:";
inline constexpr std::string_view kTraceNotFound = "Not Found! Bailing";
inline constexpr std::string_view kTraceToolTips = "Creating Tool Tips:";
inline constexpr std::string_view kTraceInitialized = "Tool Initialized";

// Message titles.
inline constexpr std::string_view kTitleWarning = gamedata::kWarningTitle;
inline constexpr std::string_view kTitleError = "Error";
inline constexpr std::string_view kTitleMarquill = "Marquill";

// Start-up.
inline constexpr std::string_view kCheckingForGame = "Checking for The Pemms";
inline constexpr std::string_view kToolInitialized = "Tool Initialized";
inline constexpr std::string_view kGameNotDetected = platform::kGameNotDetectedMessage;
inline constexpr std::string_view kGameChooserTitle = "Pick The Pemms";
inline constexpr std::string_view kGameChooserMessage =
    "The Pemms is installed in more than one place. Which one should Marquill work on?";
inline constexpr std::string_view kChooseGameFolderTitle = "Choose the folder of The Pemms";
inline constexpr std::string_view kNoGameInFolder =
    "This folder holds no game of The Pemms (it has no GameData folder). Please choose the folder "
    "The Pemms is installed in.";
inline constexpr std::string_view kChooseAnotherGameMenuItem = "Choose another game...";
inline constexpr std::string_view kGameRunning = gamedata::kGameRunningMessage;
inline constexpr std::string_view kNoTemplateFolder = gamedata::kNoTemplateFolderMessage;
inline constexpr std::string_view kTemplateFolderName = "TemplateCelebrity";
inline constexpr std::string_view kAboutMenuItem = "&About this program...";
inline constexpr std::string_view kUndoImportMenuItem = "Undo an import...";
inline constexpr std::string_view kUndoImportTitle = "Undo an import";
inline constexpr std::string_view kUndoImportQuestion = "Choose the import to undo:";
inline constexpr std::string_view kNoImportToUndo = "There is no import to undo.";
inline constexpr std::string_view kOpenSavedMenuItem = "Open a saved celebrity...";
// The file dialog's and the message's title.
inline constexpr std::string_view kOpenSavedTitle = "Open a saved celebrity";
inline constexpr std::string_view kOpenSavedFilter =
    "Saved celebrities (*.iff *.srf)|*.iff;*.srf|All files|*||";
inline constexpr std::string_view kOpenedChanges =
    "Marquill read the celebrity with these changes:";
inline constexpr std::string_view kMoreChanges = " more (marquill show FILE lists every one)";
inline constexpr std::string_view kExtraResourcesDropped =
    "the file holds resources the template lacks; a new save is built from the template "
    "without them: ";
inline constexpr std::string_view kReadmeName = "readme.txt";

// Quit, Escape and the close box.
inline constexpr std::string_view kQuitQuestion = "Are you sure you want to quit?";

// The look pages (the lists' own statuses are the look lists').
inline constexpr std::string_view kFashionOk = "Fashion Skin Selection Ok";

// The name page.
inline constexpr std::string_view kEnterName = "Please enter a name for the pemm.";
inline constexpr std::string_view kEnterDescription = "Please enter a description for the pemm.";
inline constexpr std::string_view kNameDone = "Press Next to Continue";

// The personality page.
inline constexpr std::string_view kTooManyPoints =
    "No Pemm is that perfect! You have allocated too many points. You are limited to 25 "
    "personality points.";
inline constexpr std::string_view kPointsLeft = "You haven't used up all your personality points.";
inline constexpr std::string_view kPointsDone = "Press next to continue.";
inline constexpr std::string_view kSignButton = "What's Your Sign?";

// The interests page.
inline constexpr std::string_view kTooManyTop =
    "Too many selected... you can only have five top interests.";
inline constexpr std::string_view kTooManyLow =
    "Too many selected... you can only have five bad interests.";
inline constexpr std::string_view kNeedInterests =
    "You need to select 5 top interests for your Pemm.";
inline constexpr std::string_view kNeedLowInterests =
    "You need to select 5 low interests for your Pemm.";
inline constexpr std::string_view kInterestsDone = "Press Next to continue.";
inline constexpr std::string_view kNotInteresting =
    "This Pemm won't be very interesting to talk to! You need to select 5 top interests for your "
    "Pemm.";

// The import steps.
inline constexpr std::string_view kNoCelebrityFile =
    "There is no celebrity file to import: the TemplateCelebrity folder holds none. Save a "
    "celebrity, or put a downloaded one there, and try again.";
inline constexpr std::string_view kNoPersonToReplace =
    "No celebrity of the neighborhood was chosen to replace.";
inline constexpr std::string_view kSelectCelebrity = "Select the celebrity you want to replace.";
inline constexpr std::string_view kNoCelebrities =
    "There are no celebrities in the neighborhood you specified.  You'll need to run the game "
    "once in that neighborhood to create them.";
inline constexpr std::string_view kReplaced = "Your downloaded pemm is now available in game.";

}  // namespace marquill::wizard::text
