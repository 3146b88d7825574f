#include "character/LookLists.h"

#include <algorithm>

#include "character/CharacterCatalogue.h"
#include "character/LookNameRules.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "platform/AsciiCase.h"
#include "platform/SoundPlayer.h"

namespace marquill::character {
namespace {

constexpr const char* kClickSound = "Click";

bool inList(const LookList& list, int index) {
    return index >= 0 && index < list.count();
}

// A stored text the list still offers keeps its selection (and its spelling); otherwise the first
// entry takes its place, and an empty list leaves nothing chosen.
void reselect(LookList& list, std::string& stored) {
    if (list.count() == 0) {
        list.select(-1);
        stored.clear();
        return;
    }
    const int found = list.findExact(stored);
    if (found >= 0) {
        list.select(found);
        return;
    }
    list.select(0);
    stored = list.selectedText();
}

// The import lists' lookup: the first entry beginning with the name, else the first entry.
void chooseByPrefix(LookList& list, const std::string& name, std::string& stored) {
    const int found = list.findPrefix(name);
    list.select(found >= 0 ? found : 0);
    stored = list.selectedText();
}

}  // namespace

LookLists::LookLists(CharacterCatalogue& catalogue, fileindex::FolderIndex& index,
                     fileindex::FileTypeRegistry& types, SkinSelections& selections,
                     PersonControl* person, platform::SoundPlayer& sounds)
    : catalogue_(catalogue),
      index_(index),
      types_(types),
      selections_(selections),
      defaults_(),
      person_(person),
      sounds_(sounds),
      animationPaths_(fileindex::splitPathList(kAnimationPathList)),
      characterPaths_(fileindex::splitPathList(kCharacterPathList)) {}

std::string& LookLists::pageBody() {
    return inputs_.fashionPage ? selections_.fashionBodyOutfit : selections_.bodyOutfit;
}

std::string& LookLists::pageBodyTexture() {
    return inputs_.fashionPage ? selections_.fashionBodyTexture : selections_.bodyTexture;
}

void LookLists::dress() {
    if (person_) person_->dress(selections_, inputs_.fashionPage);
}

void LookLists::start() {
    inputs_ = LookInputs{};
    refill(true, true);
}

void LookLists::refill(bool outfits, bool textures) {
    if (person_) {
        person_->setBusy(true);
        person_->ensurePerson(selections_.skeleton);
    }
    if (outfits) fillOutfits();
    if (!inputs_.fashionPage) reselect(heads_, selections_.headOutfit);
    if (selections_.skeleton.empty()) selections_.skeleton = "adult";
    // The body textures are matched against the body as stored so far: the body list's own
    // re-selection comes after them.
    if (outfits || textures) fillTextures();
    reselect(bodies_, pageBody());
    if (!inputs_.fashionPage) reselect(headTextures_, selections_.headTexture);
    reselect(bodyTextures_, pageBodyTexture());
    if (person_) {
        person_->dress(selections_, inputs_.fashionPage);
        person_->syncAnimation(selections_.animation);
        person_->setBusy(false);
    }
}

void LookLists::fillOutfits() {
    const bool female = inputs_.female;
    const std::string_view genderAge = genderAgeCode(female);
    const std::string bodyCode =
        std::string(genderAge) + std::string(bodyTypeCode(inputs_.bodyType));
    if (!inputs_.fashionPage) heads_.clear();
    bodies_.clear();
    for (const auto& [name, entry] : catalogue_.outfits()) {
        const std::string lower = platform::toLowerAscii(name);
        const std::string_view prefix = namePrefix(lower);
        const bool colourAllows = skinColourAllows(female, lower, inputs_.skinColour);
        if (!inputs_.fashionPage && isHeadOutfit(lower) && containsText(prefix, genderAge) &&
            colourAllows)
            heads_.addSorted(name);
        if (isFashionName(lower) != inputs_.fashionPage || !isBodyOutfit(lower)) continue;
        if (containsText(prefix, bodyCode)) {
            if (!isExcludedBody(lower) && colourAllows) bodies_.addSorted(name);
        } else if (!inputs_.adult) {
            const bool childFits =
                inputs_.male ? containsText(lower, "mcchd") : containsText(lower, "fcchd");
            if (childFits && colourAllows) bodies_.addSorted(name);
        }
    }
}

void LookLists::rebuildTextureNames() {
    textureNames_.clear();
    fileindex::FileRequest request;
    for (const auto* paths : {&animationPaths_, &characterPaths_})
        (void)types_.enumerate(request, *paths, fileindex::extensionCode("BMP"),
                               [&](fileindex::FileRequest& found) {
                                   textureNames_.push_back(found.name);
                                   return 0;
                               });
}

void LookLists::fillTextures() {
    rebuildTextureNames();
    const bool fashion = inputs_.fashionPage;
    if (!fashion) headTextures_.clear();
    bodyTextures_.clear();

    const std::string genderAge(genderAgeCode(inputs_.female));
    const std::string skin(skinCode(inputs_.skinColour));
    const std::string headCode = genderAge + skin;
    const std::string longCode = genderAge + std::string(bodyTypeCode(inputs_.bodyType)) + skin;
    const std::string body = platform::toLowerAscii(pageBody());
    const std::string bodyKey = body.substr(0, inputs_.adult ? 9 : 4);
    const std::string headKey = platform::toLowerAscii(selections_.headOutfit).substr(0, 5);

    for (const std::string& name : textureNames_) {
        const std::string lower = platform::toLowerAscii(name);
        const std::string_view prefix = namePrefix(lower);
        switch (textureKind(lower)) {
            case TextureKind::Body: {
                if (fashion && !isFashionName(lower)) break;
                const bool fitCodes = inputs_.bodyType == 0 && containsText(prefix, genderAge) &&
                                      containsText(prefix, skin);
                if (!fitCodes && !containsText(prefix, longCode)) break;
                // A child's textures shared by both genders are offered beside its own.
                if (containsText(lower, bodyKey) ||
                    (!inputs_.adult && containsText(lower, "ucchd")))
                    bodyTextures_.addSorted(name);
                break;
            }
            case TextureKind::Head:
                if (!fashion && containsText(prefix, headCode) && containsText(lower, headKey))
                    headTextures_.addSorted(name);
                break;
            case TextureKind::BodyByNumber:
                if (lower.size() >= 5 && body.size() >= 5 && lower.compare(1, 4, body, 1, 4) == 0)
                    bodyTextures_.addSorted(name);
                break;
            case TextureKind::Ignored:
                break;
        }
    }
}

std::optional<LookStatus> LookLists::headSelected(int index) {
    if (!inList(heads_, index)) return std::nullopt;
    heads_.select(index);
    selections_.headOutfit = heads_.selectedText();
    refill(false, true);
    headTextures_.select(0);
    selections_.headTexture = headTextures_.selectedText();
    dress();
    return status();
}

void LookLists::headTextureSelected(int index) {
    if (!inList(headTextures_, index)) return;
    headTextures_.select(index);
    selections_.headTexture = headTextures_.selectedText();
    dress();
}

std::optional<LookStatus> LookLists::bodySelected(int index) {
    if (!inList(bodies_, index)) return std::nullopt;
    bodies_.select(index);
    pageBody() = bodies_.selectedText();
    selections_.skeleton = defaults_.skeleton;
    refill(false, true);
    return inputs_.fashionPage ? fashionStatus() : status();
}

void LookLists::bodyTextureSelected(int index) {
    if (!inList(bodyTextures_, index)) return;
    bodyTextures_.select(index);
    pageBodyTexture() = bodyTextures_.selectedText();
    dress();
}

std::optional<LookStatus> LookLists::skinColourChanged(int index) {
    if (index < 0 || index > 2) return std::nullopt;
    sounds_.playNamed(kClickSound);
    inputs_.skinColour = index;
    refill(true, true);
    dress();
    return status();
}

std::optional<LookStatus> LookLists::bodyTypeChanged(int index) {
    if (index < 0 || index > 2) return std::nullopt;
    sounds_.playNamed(kClickSound);
    inputs_.bodyType = index;
    refill(true, true);
    std::optional<LookStatus> shown = bodySelected(bodies_.selected());
    if (!shown) shown = inputs_.fashionPage ? fashionStatus() : status();
    bodyTextureSelected(bodyTextures_.selected());
    dress();
    return shown;
}

void LookLists::genderChanged(bool female) {
    inputs_.female = female;
    inputs_.male = !female;
    refill(true, true);
    refill(false, true);
}

void LookLists::showNormalPage() {
    inputs_.fashionPage = false;
    refill(true, true);
    refill(false, true);
}

void LookLists::showFashionPage() {
    inputs_.fashionPage = true;
    refill(true, true);
}

void LookLists::rescan() {
    sounds_.playNamed(kClickSound);
    if (person_) {
        person_->undressAll();
        person_->reloadTextures();
    }
    // Texture files added since start-up are listed only once the folders are walked again.
    for (const auto* paths : {&animationPaths_, &characterPaths_})
        for (const std::string& folder : *paths)
            index_.addFolder(folder, fileindex::Recurse::Yes, fileindex::ReadArchives::Yes);
    refill(true, true);
}

LookStatus LookLists::status() const {
    if (bodyTextures_.count() > 0 && headTextures_.count() > 0) return {kSkinSelectionOk, true};
    return {kInvalidHeadOrSkin, false};
}

LookStatus LookLists::fashionStatus() const {
    if (bodyTextures_.count() == 0) return {kInvalidFashionSkin, false};
    return status();
}

void LookLists::applyChosenLook(const ChosenLook& look) {
    selections_ = defaults_;
    inputs_.adult = look.adult;
    inputs_.male = look.male;
    inputs_.female = !look.male;
    inputs_.skinColour = std::clamp(look.skinColour, 0, 2);
    inputs_.bodyType = std::clamp(look.bodyType, 0, 2);
    inputs_.fashionPage = false;
    // Each name is looked up in a list already filtered for the person, and each texture list
    // follows the outfit chosen before it.
    refill(true, true);
    chooseByPrefix(bodies_, look.bodyOutfit, selections_.bodyOutfit);
    refill(false, true);
    chooseByPrefix(bodyTextures_, look.bodyTexture, selections_.bodyTexture);
    chooseByPrefix(heads_, look.headOutfit, selections_.headOutfit);
    refill(false, true);
    chooseByPrefix(headTextures_, look.headTexture, selections_.headTexture);
    dress();
}

}  // namespace marquill::character
