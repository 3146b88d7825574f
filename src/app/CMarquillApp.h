#pragma once
// The application object: the start-up sequence (dialog colours, the start-up folder, the
// start-up sound), then the wizard dialog as the main window until it ends; the process ends
// with it. Nothing is registered for automation: the command line takes its place.
#include <optional>
#include <string>

#include "app/ApplicationHost.h"
#include "platform/HomeFolders.h"
#include "platform/RandomSource.h"
#include "platform/ShellOpener.h"
#include "wizard/CMarquillDlg.h"

namespace marquill::app {

struct AppOptions {
    std::optional<std::string> gameFolder;        // --game-dir; none: the Wine prefix's record
    std::string winePrefix;                       // empty: $WINEPREFIX
    std::optional<platform::HomeFolders> home;    // none: the process's environment
    std::optional<std::string> startupDirectory;  // none: found as the tool finds its data
    // The wizard's options; without a scene factory the standard preview is used unless
    // `preview` is false.
    wizard::WizardOptions wizard;
    bool preview = true;
};

class CMarquillApp {
  public:
    CMarquillApp(ApplicationHost& host, platform::ShellOpener& shell,
                 platform::RandomSource& random, AppOptions options);

    // The start-up sequence and the wizard; the process's exit status: the code of the quit
    // request that ended the wizard (0, or -1 when the character data is missing), else 0.
    [[nodiscard]] int run();

    // The current folder at launch when it holds the template person file, else the tool's data
    // folder: where readme.txt and QT_Template.iff are taken from.
    [[nodiscard]] const std::string& startupDirectory() const { return startupDirectory_; }

  private:
    ApplicationHost& host_;
    platform::ShellOpener& shell_;
    platform::RandomSource& random_;
    AppOptions options_;
    std::string startupDirectory_;
};

}  // namespace marquill::app
