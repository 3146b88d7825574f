#include "ui/GuiMain.h"

#include <QApplication>

#include "app/CMarquillApp.h"
#include "platform/RandomSource.h"
#include "platform/ShellOpener.h"
#include "ui/AssetFolder.h"
#include "ui/QtApplicationHost.h"
#include "ui/QtWizardHost.h"
#include "ui/SoundEffectPlayer.h"

namespace marquill::ui {

int runGui(int argc, char** argv, const GuiOptions& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marquill"));
    QGuiApplication::setDesktopFileName(QStringLiteral("marquill"));

    const AssetFolder assets = AssetFolder::forTool();
    SoundEffectPlayer sounds(assets);
    QtWizardHost host(assets, sounds);
    QtApplicationHost frontEnd(application, host);
    platform::XdgShellOpener shell;
    platform::SeededRandom random;

    app::AppOptions appOptions;
    appOptions.gameFolder = options.gameFolder;
    appOptions.wizard.splash = options.splash;
    app::CMarquillApp marquill(frontEnd, shell, random, std::move(appOptions));
    return marquill.run();
}

}  // namespace marquill::ui
