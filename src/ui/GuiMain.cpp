#include "ui/GuiMain.h"

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "app/CMarquillApp.h"
#include "platform/RandomSource.h"
#include "platform/ShellOpener.h"
#include "ui/AssetFolder.h"
#include "ui/QtApplicationHost.h"
#include "ui/QtWizardHost.h"
#include "ui/SoundEffectPlayer.h"

namespace marquill::ui {
namespace {

struct GuiOptions {
    std::optional<std::string> gameFolder;
    bool splash = true;
};

constexpr const char* kUsage = "usage: marquill [gui] [--game-dir DIR] [--no-splash]";

// None (after a message) when the words are not the wizard's options.
std::optional<GuiOptions> parse(int argc, char** argv) {
    GuiOptions options;
    int i = 1;
    if (i < argc && std::string(argv[i]) == "gui") ++i;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--no-splash") {
            options.splash = false;
        } else if (word == "--game-dir" && i + 1 < argc) {
            options.gameFolder = argv[++i];
        } else if (word.rfind("--game-dir=", 0) == 0) {
            options.gameFolder = word.substr(11);
        } else {
            std::fprintf(stderr, "marquill: unknown option '%s'\n%s\n", word.c_str(), kUsage);
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int runGui(int argc, char** argv) {
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("Marquill"));
    QGuiApplication::setDesktopFileName(QStringLiteral("marquill"));
    const std::optional<GuiOptions> options = parse(argc, argv);
    if (!options) return 2;

    const AssetFolder assets = AssetFolder::forTool();
    SoundEffectPlayer sounds(assets);
    QtWizardHost host(assets, sounds);
    QtApplicationHost frontEnd(application, host);
    platform::XdgShellOpener shell;
    platform::SeededRandom random;

    app::AppOptions appOptions;
    appOptions.gameFolder = options->gameFolder;
    appOptions.wizard.splash = options->splash;
    app::CMarquillApp marquill(frontEnd, shell, random, std::move(appOptions));
    return marquill.run();
}

}  // namespace marquill::ui
