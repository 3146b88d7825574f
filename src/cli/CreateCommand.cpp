#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "celeb/LineBreaks.h"
#include "celeb/RecordChecks.h"
#include "celeb/SaveSequence.h"
#include "celeb/SavedCelebrity.h"
#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/CommandLinePreview.h"
#include "cli/GameFolder.h"
#include "cli/LookChoices.h"
#include "gamedata/GamePaths.h"
#include "platform/AsciiCase.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "platform/ToolFolders.h"

namespace marquill::cli {

namespace {

using namespace celeb;

// Answers the save sequence as a player who picked --out and declines the web site.
class CommandLineHost final : public SaveHost {
  public:
    CommandLineHost(std::string path, bool verbose) : path_(std::move(path)), verbose_(verbose) {}
    std::optional<std::string> chooseSavePath(const SaveDialogRequest&) override { return path_; }
    bool confirm(std::string_view, std::string_view) override { return false; }
    void openAddress(std::string_view) override {}
    void status(std::string_view text) override {
        if (verbose_) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    void showMessage(std::string_view title, std::string_view message) override {
        std::FILE* out = title == gamedata::kErrorTitle ? stderr : stdout;
        std::fprintf(out, "%.*s %.*s\n", static_cast<int>(title.size()), title.data(),
                     static_cast<int>(message.size()), message.data());
    }

  private:
    std::string path_;
    bool verbose_;
};

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    return parts;
}

std::optional<std::vector<int>> interests(const Args& args, const char* option,
                                          std::string* error) {
    std::vector<int> ids;
    auto value = args.value(option);
    if (!value) return ids;
    for (const std::string& name : splitCommas(*value)) {
        auto id = findInterest(name);
        if (!id) {
            *error = "--" + std::string(option) + ": no interest named '" + name + "'";
            return std::nullopt;
        }
        ids.push_back(*id);
    }
    return ids;
}

void fillFromSaved(const SavedCelebrity& saved, LookChoices* choices) {
    const character::Appearance& a = saved.appearance;
    if (!choices->female) choices->female = a.gender == kFemale;
    if (!choices->skinColour) choices->skinColour = a.skinColour;
    if (!choices->bodyType) choices->bodyType = a.bodyType;
    choices->savedHead = a.headMesh;
    choices->savedHeadTexture = a.headTexture;
    choices->savedBody = a.bodyMesh;
    choices->savedBodyTexture = a.bodyTexture;
    choices->savedFashionBody = a.fashionBodyMesh;
    choices->savedFashionTexture = a.fashionBodyTexture;
}

}  // namespace

int runCreate(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"verbose"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(
            *args, {"game-dir", "out", "gender", "skin", "body-type", "head", "head-texture",
                    "body", "body-texture", "fashion-body", "fashion-texture", "name",
                    "description", "traits", "top", "low", "fame", "verbose", "from"});
        !bad.empty())
        return fail(kExitUsage, bad);
    GameLookupError lookup;
    auto location = gameLocationFrom(*args, &lookup);
    if (!location) return fail(lookup.exit, lookup.message);
    const std::string& game = location->folder;
    auto out = args->value("out");
    if (!out || out->empty())
        return fail(kExitUsage, "usage: marquill create [--from FILE] --out PATH.srf [choices]");
    // The wizard's start-up order: the game is there, it is not running, TemplateCelebrity is
    // there or can be made; only then the preview, which finds the character data.
    if (auto refused = refuseWhileGameRuns(*location)) return *refused;
    const std::string templateFolder = platform::resolveGamePath(game, "TemplateCelebrity");
    if (!platform::isDirectory(templateFolder) && !platform::createFolder(templateFolder))
        return fail(kExitRefused, std::string(gamedata::kNoTemplateFolderMessage));

    auto choices = lookChoicesFrom(*args, &error);
    if (!choices) return fail(kExitUsage, error);

    // A saved celebrity gives every choice the command line leaves out.
    std::optional<SavedCelebrity> saved;
    if (auto from = args->value("from")) {
        saved = readSavedCelebrity(*from, platform::findToolDataFile(platform::kTemplateFileName));
        if (!saved->ok()) return fail(kExitFileError, saved->error);
        for (const std::string& line : saved->repairs)
            std::fprintf(stderr, "marquill: %s: %s\n", saved->personFile.c_str(), line.c_str());
        fillFromSaved(*saved, &*choices);
    }

    std::array<int, 5> traits{};
    if (saved)
        for (int k = 0; k < kTraitCount; ++k)
            traits[static_cast<size_t>(k)] = saved->record.trait(k);
    if (auto v = args->value("traits")) {
        auto parts = splitCommas(*v);
        if (parts.size() != 5)
            return fail(kExitUsage, "--traits takes NEAT,ACTIVE,PLAYFUL,OUTGOING,NICE");
        for (size_t i = 0; i < 5; ++i) {
            char* end = nullptr;
            long t = std::strtol(parts[i].c_str(), &end, 10);
            if (parts[i].empty() || *end != '\0' || t < 0 || t > 10)
                return fail(kExitUsage, "each trait takes 0 to 10");
            traits[i] = static_cast<int>(t);
        }
    }
    auto top = interests(*args, "top", &error);
    auto low = top ? interests(*args, "low", &error) : std::nullopt;
    if (!top || !low) return fail(kExitUsage, error);
    if (saved && !args->has("top")) *top = saved->top;
    if (saved && !args->has("low")) *low = saved->low;
    {
        std::vector<int> all = *top;
        all.insert(all.end(), low->begin(), low->end());
        for (size_t i = 0; i < all.size(); ++i)
            for (size_t j = i + 1; j < all.size(); ++j)
                if (all[i] == all[j])
                    return fail(kExitUsage,
                                "interest '" +
                                    std::string(kInterests[static_cast<size_t>(all[i])].name) +
                                    "' is chosen twice");
    }
    int fame = saved ? saved->record.fameLevel() : 0;
    if (auto v = args->value("fame")) {
        char* end = nullptr;
        long f = std::strtol(v->c_str(), &end, 10);
        if (!v->empty() && *end == '\0' && f >= 0 && f <= 10) {
            fame = static_cast<int>(f);
        } else if (auto level = findFameLevel(*v)) {
            fame = *level;
        } else {
            return fail(kExitUsage, "--fame takes a level name or 0 to 10");
        }
    }
    const std::string name =
        args->value("name").value_or(saved ? saved->record.name() : std::string());
    const std::string description = withCrLfLineBreaks(
        args->value("description").value_or(saved ? saved->record.description() : std::string()));

    // The look pages as the wizard's Next stores them: the texts selected in their lists.
    // The preview dresses the person as the choices are made, and draws the snapshots.
    CommandLinePreview preview(game, kDefaultPreviewSeed, args->has("verbose"));
    if (auto reason = preview.setUp()) return fail(kExitFileError, *reason);
    character::LookLists& lists = *preview.scene().lookLists();
    character::CharacterCatalogue& catalogue = *preview.scene().catalogue();
    std::vector<std::string> warnings;
    LookOutcome outcome = applyLookChoices(lists, catalogue, *choices);
    if (!outcome.done()) return fail(outcome.exit, outcome.message);
    warnings = outcome.warnings;
    const int gender = lists.appearance().gender;
    const int bodyType = lists.appearance().bodyType;
    const int skinColour = lists.appearance().skinColour;
    const std::string headMesh = lists.heads().selectedText();
    const std::string headTexture = lists.headTextures().selectedText();
    const std::string bodyMesh = lists.bodies().selectedText();
    const std::string bodyTexture = lists.bodyTextures().selectedText();
    outcome = applyFashionChoices(lists, catalogue, *choices);
    if (!outcome.done()) return fail(outcome.exit, outcome.message);
    warnings.insert(warnings.end(), outcome.warnings.begin(), outcome.warnings.end());
    for (const std::string& line : warnings)
        std::fprintf(stderr, "marquill: %s\n", line.c_str());
    const std::string fashionBodyMesh = lists.bodies().selectedText();
    const std::string fashionBodyTexture = lists.bodyTextures().selectedText();
    const character::Appearance look = lists.appearance();

    // The wizard's pages in order; the first refusal ends the command.
    std::optional<Refusal> refusal = checkLook(headTexture, bodyTexture);
    if (!refusal && lists.bodyTextures().count() == 0)
        refusal = Refusal{character::kInvalidFashionSkin, character::kInvalidFashionSkin};
    if (!refusal) refusal = checkName(name);
    if (!refusal) refusal = checkDescription(description);
    if (!refusal) refusal = checkPersonality(traits);
    if (!refusal) refusal = checkInterests(*top, *low);
    if (refusal) return fail(kExitRefused, refusal->message);

    PemmData record;
    record.setGender(gender);
    record.setBodyType(bodyType);
    record.setSkinColour(skinColour);
    record.setHeadMesh(headMesh);
    record.setHeadTexture(headTexture);
    record.setBodyMesh(bodyMesh);
    record.setBodyTexture(bodyTexture);
    record.setFashionBodyMesh(fashionBodyMesh);
    record.setFashionBodyTexture(fashionBodyTexture);
    record.setName(name);
    record.setDescription(description);
    for (int k = 0; k < kTraitCount; ++k)
        record.setTrait(k, traits[static_cast<size_t>(k)]);
    const auto order = interestOrder(*top, *low);
    for (int p = 0; p < kInterestCount; ++p)
        record.setInterestAt(p, order[static_cast<size_t>(p)]);
    record.setFameLevel(fame);

    // A bare name is saved where the save dialog opens: the game's TemplateCelebrity folder.
    const std::string path = out->find('/') == std::string::npos
                                 ? platform::resolveGamePath(game, "TemplateCelebrity/" + *out)
                                 : *out;
    CommandLineHost host(path, args->has("verbose"));
    // Without the image module there are no pictures to take; the rest is saved all the same.
    SaveSetup setup{game, platform::findToolDataFile(platform::kTemplateFileName),
                    preview.images() ? &preview.scene() : nullptr, location->windowsFolder};
    SkinFileList skins;
    auto result = saveCelebrity(record, SaveChoices{look, fame}, setup, skins, host, {});
    // Each failure has already printed the wizard's message; the folder is as it was.
    switch (result.outcome) {
        case SaveResult::Outcome::Saved:
            break;
        case SaveResult::Outcome::PersonFileFailed:
            return fail(kExitFileError,
                        "the person file " + result.personFile.path + " was not written (result " +
                            std::to_string(result.personFile.code) + "); nothing was saved");
        case SaveResult::Outcome::Cancelled:
        case SaveResult::Outcome::ExchangeFileFailed:
        case SaveResult::Outcome::SnapshotsFailed:
        case SaveResult::Outcome::FilesFailed:
            return fail(kExitFileError, "nothing was saved at " + result.exchangePath);
    }
    if (!preview.images())
        std::fprintf(stderr,
                     "marquill: no snapshots were taken (the image module libpictrix.so is "
                     "missing)\n");
    if (saved && !saved->extraResources.empty()) {
        std::string list;
        for (const std::string& r : saved->extraResources)
            list += (list.empty() ? "" : ", ") + r;
        std::fprintf(stderr,
                     "marquill: %s holds resources the template lacks (%s); the new person file "
                     "is made from the template and does not carry them over\n",
                     saved->personFile.c_str(), list.c_str());
    }
    std::printf("%s\n%s\n", result.exchangePath.c_str(), result.personFile.path.c_str());
    return kExitDone;
}

}  // namespace marquill::cli
