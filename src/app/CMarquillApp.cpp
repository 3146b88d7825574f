#include "app/CMarquillApp.h"

#include "app/AppEnvironment.h"
#include "app/WizardHostRelay.h"
#include "image/ImageLibrary.h"
#include "platform/SoundNames.h"
#include "platform/ToolFolders.h"

namespace marquill::app {

CMarquillApp::CMarquillApp(ApplicationHost& host, platform::ShellOpener& shell,
                           platform::RandomSource& random, AppOptions options)
    : host_(host), shell_(shell), random_(random), options_(std::move(options)) {}

int CMarquillApp::run() {
    host_.setDialogColours(kDialogBackground, kDialogText);
    startupDirectory_ = options_.startupDirectory.value_or(platform::toolStartupFolder());

    WizardHostRelay wizardHost(host_.wizardHost(), shell_);
    wizardHost.sounds().playNamed(platform::sound::kStartup);

    platform::HomeFolders home = options_.home.value_or(platform::HomeFolders::fromEnvironment());
    if (!options_.winePrefix.empty()) home.winePrefix = options_.winePrefix;
    AppEnvironment environment(options_.gameFolder, std::move(home), startupDirectory_);
    wizard::WizardOptions wizardOptions = options_.wizard;
    // The image module the snapshots are written through is loaded once, for the whole run; a
    // module that cannot be loaded only means no snapshots.
    std::unique_ptr<image::PictrixLibrary> images;
    if (!wizardOptions.scene && options_.preview) {
        images = image::PictrixLibrary::load(image::PictrixLibrary::defaultModulePath());
        preview::PreviewEnvironment scene;
        scene.images = images.get();
        wizardOptions.scene = wizard::standardSceneFactory(random_, std::move(scene));
    }
    {
        wizard::CMarquillDlg dialog(wizardHost, environment, random_, std::move(wizardOptions));
        host_.runWizard(dialog);
    }
    return wizardHost.quitCode().value_or(0);
}

}  // namespace marquill::app
