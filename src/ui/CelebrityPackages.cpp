#include "ui/CelebrityPackages.h"

#include "gamedata/CelebrityPack.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/GamePaths.h"
#include "gamedata/GameRunning.h"
#include "gamedata/Reporter.h"
#include "platform/Files.h"
#include "wizard/SmallDialogs.h"

namespace marquill::ui {
namespace {

std::string templateFolder(const std::string& gameFolder) {
    std::string folder = gamedata::GamePaths(gameFolder).templateCelebrityFolder();
    folder.pop_back();
    return folder;
}

}  // namespace

CelebrityPackages::CelebrityPackages(wizard::WizardHost& host, GameRunningProbe gameRunning,
                                     const image::JpegDecoder* decoder)
    : host_(host), gameRunning_(std::move(gameRunning)), decoder_(decoder) {}

void CelebrityPackages::message(std::string_view title, std::string_view text) {
    wizard::MessageDialog dialog(title, text, host_.sounds());
    (void)host_.runModal(dialog);
}

std::string CelebrityPackages::outcomeText(const gamedata::AddReport& report) {
    using Kind = gamedata::AddLine::Kind;
    int installed = 0;
    for (const auto& line : report.lines)
        installed += line.kind == Kind::Installed || line.kind == Kind::InstalledAs;
    std::string text = installed == 1 ? "1 celebrity was installed."
                                      : std::to_string(installed) + " celebrities were installed.";
    // The sets first; what was left out of the archives after them.
    for (const bool leftOut : {false, true})
        for (const auto& line : report.lines)
            if ((line.kind == Kind::LeftOut) == leftOut) {
                text += '\n';
                text += gamedata::addLineText(line);
            }
    return text;
}

std::optional<gamedata::AddReport> CelebrityPackages::add(const std::string& gameFolder,
                                                          const std::vector<std::string>& paths) {
    if (gameRunning_ && gameRunning_(gameFolder)) {
        message(gamedata::kGameRunningTitle, gamedata::kGameRunningMessage);
        return std::nullopt;
    }
    gamedata::AddReport report;
    std::vector<gamedata::AddInput> inputs;
    for (const std::string& path : paths) {
        auto read = gamedata::readAddInput(path);
        if (read.input) inputs.push_back(std::move(*read.input));
        if (read.failure) report.lines.push_back(*read.failure);
    }
    auto installed = gamedata::installCelebrities(inputs, templateFolder(gameFolder),
                                                  platform::diskFiles(), decoder_);
    report.lines.insert(report.lines.end(), installed.lines.begin(), installed.lines.end());
    report.syncs = installed.syncs;
    report.readError = installed.readError;
    message(kAddCelebritiesTitle, outcomeText(report));
    return report;
}

std::optional<std::string> CelebrityPackages::share(const std::string& gameFolder,
                                                    SharePicker& picker) {
    std::vector<std::string> sets;
    for (const std::string& file : gamedata::listCelebrityFiles(gamedata::GamePaths(gameFolder)))
        sets.push_back(file.substr(0, file.size() - 4));
    if (sets.empty()) {
        message(kShareCelebrityTitle, "There is no saved celebrity to share yet.");
        return std::nullopt;
    }
    const auto set = picker.chooseSet(sets);
    if (!set) return std::nullopt;
    const auto zip = picker.chooseZip(*set + ".zip");
    if (!zip) return std::nullopt;
    auto packed = gamedata::packCelebrity(templateFolder(gameFolder), *set);
    if (!packed.zip) {
        message(gamedata::kErrorTitle, packed.problem);
        return std::nullopt;
    }
    if (!platform::writeFileAtomically(*zip, *packed.zip)) {
        message(gamedata::kErrorTitle, *zip + " could not be written.");
        return std::nullopt;
    }
    host_.openShell(platform::parentFolder(*zip));
    return zip;
}

}  // namespace marquill::ui
