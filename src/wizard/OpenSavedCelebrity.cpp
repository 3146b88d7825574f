// "Open a saved celebrity...": a celebrity Marquill saved, read back from its person file into
// the design, every page filled from it. Opening writes nothing, so a running game does not stop
// it; the save that may follow is refused as always.
#include <string>
#include <vector>

#include "celeb/SavedCelebrity.h"
#include "gamedata/PersonFile.h"
#include "platform/GamePath.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

constexpr size_t kShownChanges = 8;

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

}  // namespace

void CMarquillDlg::openSavedCelebrity() {
    const std::string folder = platform::resolveGamePath(c_.gameFolder, text::kTemplateFolderName);
    c_.flush();
    const std::optional<std::string> path =
        c_.host.chooseOpenPath(text::kOpenSavedTitle, text::kOpenSavedFilter, folder);
    if (!path) return;

    c_.setCursor(Cursor::Wait);
    const celeb::SavedCelebrity saved =
        celeb::readSavedCelebrity(*path, c_.environment.templatePersonFile());
    c_.setCursor(Cursor::Arrow);
    if (!saved.ok()) {
        c_.showMessage(text::kTitleError, saved.error);
        return;
    }

    std::vector<std::string> changes = saved.repairs;
    c_.design.record = saved.record;
    c_.design.openedName = gamedata::baseName(saved.personFile);
    if (character::LookLists* looks = c_.looks()) {
        for (std::string& line : looks->openSavedLook(saved.appearance))
            changes.push_back(std::move(line));
    } else {
        c_.design.look.appearance = saved.appearance;
        c_.design.look.fashionPage = false;
    }
    c_.showLook();
    name_.load(saved.record);
    personality_.load(saved.record);
    interests_.load(saved.top, saved.low);
    fame_.load(saved.record);
    if (!saved.extraResources.empty())
        changes.push_back(std::string(text::kExtraResourcesDropped) +
                          joined(saved.extraResources, ", "));

    // A file not of ours can need a repair for each interest; the message keeps to a screen.
    if (changes.size() > kShownChanges) {
        const size_t more = changes.size() - (kShownChanges - 1);
        changes.resize(kShownChanges - 1);
        changes.push_back("and " + std::to_string(more) + std::string(text::kMoreChanges));
    }
    if (!changes.empty())
        c_.showMessage(text::kOpenSavedTitle,
                       std::string(text::kOpenedChanges) + "\n" + joined(changes, "\n"));
    goToStep(1);
}

}  // namespace marquill::wizard
