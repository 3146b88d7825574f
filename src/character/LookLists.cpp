#include "character/LookLists.h"

#include <algorithm>
#include <set>

#include "character/CharacterCatalogue.h"
#include "character/LookNameRules.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "platform/AsciiCase.h"
#include "platform/SoundNames.h"
#include "platform/SoundPlayer.h"

namespace marquill::character {
namespace {

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

std::string savedNameNotOffered(std::string_view what, std::string_view saved,
                                std::string_view used) {
    return "the saved " + std::string(what) + " '" + std::string(saved) +
           "' is no longer offered: the page's default '" + std::string(used) + "' is used";
}

LookLists::LookLists(CharacterCatalogue& catalogue, fileindex::FolderIndex& index,
                     fileindex::FileTypeRegistry& types, LookSelection& look,
                     SkinSelections& dressing, PersonControl* person, platform::SoundPlayer& sounds)
    : catalogue_(catalogue),
      index_(index),
      types_(types),
      look_(look),
      appearance_(look.appearance),
      dressing_(dressing),
      person_(person),
      sounds_(sounds),
      animationPaths_(fileindex::splitPathList(kAnimationPathList)),
      characterPaths_(fileindex::splitPathList(kCharacterPathList)) {}

std::string& LookLists::pageBody() {
    return look_.fashionPage ? appearance_.fashionBodyMesh : appearance_.bodyMesh;
}

std::string& LookLists::pageBodyTexture() {
    return look_.fashionPage ? appearance_.fashionBodyTexture : appearance_.bodyTexture;
}

void LookLists::dress() {
    if (person_) person_->dress(appearance_, dressing_, look_.fashionPage);
}

void LookLists::start() {
    const Appearance defaults;
    appearance_.gender = defaults.gender;
    appearance_.skinColour = defaults.skinColour;
    appearance_.bodyType = defaults.bodyType;
    appearance_.adult = defaults.adult;
    look_.fashionPage = false;
    refill(true, true);
}

void LookLists::refill(bool outfits, bool textures) {
    if (person_) {
        person_->setBusy(true);
        person_->ensurePerson(dressing_.skeleton);
    }
    if (outfits) fillOutfits();
    if (!look_.fashionPage) reselect(heads_, appearance_.headMesh);
    if (dressing_.skeleton.empty()) dressing_.skeleton = "adult";
    // The body textures are matched against the body as stored so far: the body list's own
    // re-selection comes after them.
    if (outfits || textures) fillTextures();
    reselect(bodies_, pageBody());
    if (!look_.fashionPage) reselect(headTextures_, appearance_.headTexture);
    reselect(bodyTextures_, pageBodyTexture());
    if (person_) {
        person_->dress(appearance_, dressing_, look_.fashionPage);
        person_->syncAnimation(dressing_.animation);
        person_->setBusy(false);
    }
}

void LookLists::fillOutfits() {
    const bool female = appearance_.female();
    const std::string_view genderAge = genderAgeCode(female);
    const std::string bodyCode =
        std::string(genderAge) + std::string(bodyTypeCode(appearance_.bodyType));
    if (!look_.fashionPage) heads_.clear();
    bodies_.clear();
    for (const auto& [name, entry] : catalogue_.outfits()) {
        const std::string lower = platform::toLowerAscii(name);
        const std::string_view prefix = namePrefix(lower);
        const bool colourAllows = skinColourAllows(female, lower, appearance_.skinColour);
        if (!look_.fashionPage && isHeadOutfit(lower) && containsText(prefix, genderAge) &&
            colourAllows)
            heads_.addSorted(name);
        if (isFashionName(lower) != look_.fashionPage || !isBodyOutfit(lower)) continue;
        if (containsText(prefix, bodyCode)) {
            if (!isExcludedBody(lower) && colourAllows) bodies_.addSorted(name);
        } else if (!appearance_.adult) {
            const bool childFits =
                female ? containsText(lower, "fcchd") : containsText(lower, "mcchd");
            if (childFits && colourAllows) bodies_.addSorted(name);
        }
    }
}

void LookLists::rebuildTextureNames() {
    textureNames_.clear();
    // Both path lists name some folders (GameData\Skins); a file reached through both is still
    // one file and is listed once, while the same name in two folders is listed twice.
    std::set<std::string> filesSeen;
    fileindex::FileRequest request;
    for (const auto* paths : {&animationPaths_, &characterPaths_})
        (void)types_.enumerate(request, *paths, fileindex::extensionCode("BMP"),
                               [&](fileindex::FileRequest& found) {
                                   std::string key = platform::toLowerAscii(found.folder) + "\\" +
                                                     platform::toLowerAscii(found.fileName);
                                   if (filesSeen.insert(std::move(key)).second)
                                       textureNames_.push_back(found.name);
                                   return 0;
                               });
}

void LookLists::fillTextures() {
    rebuildTextureNames();
    const bool fashion = look_.fashionPage;
    if (!fashion) headTextures_.clear();
    bodyTextures_.clear();

    const std::string genderAge(genderAgeCode(appearance_.female()));
    const std::string skin(skinCode(appearance_.skinColour));
    const std::string headCode = genderAge + skin;
    const std::string longCode = genderAge + std::string(bodyTypeCode(appearance_.bodyType)) + skin;
    const std::string body = platform::toLowerAscii(pageBody());
    const std::string bodyKey = body.substr(0, appearance_.adult ? 9 : 4);
    const std::string headKey = platform::toLowerAscii(appearance_.headMesh).substr(0, 5);

    for (const std::string& name : textureNames_) {
        const std::string lower = platform::toLowerAscii(name);
        const std::string_view prefix = namePrefix(lower);
        switch (textureKind(lower)) {
            case TextureKind::Body: {
                if (fashion && !isFashionName(lower)) break;
                const bool fitCodes = appearance_.bodyType == 0 &&
                                      containsText(prefix, genderAge) && containsText(prefix, skin);
                if (!fitCodes && !containsText(prefix, longCode)) break;
                // A child's textures shared by both genders are offered beside its own.
                if (containsText(lower, bodyKey) ||
                    (!appearance_.adult && containsText(lower, "ucchd")))
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
    appearance_.headMesh = heads_.selectedText();
    refill(false, true);
    headTextures_.select(0);
    appearance_.headTexture = headTextures_.selectedText();
    dress();
    return status();
}

void LookLists::headTextureSelected(int index) {
    if (!inList(headTextures_, index)) return;
    headTextures_.select(index);
    appearance_.headTexture = headTextures_.selectedText();
    dress();
}

std::optional<LookStatus> LookLists::bodySelected(int index) {
    if (!inList(bodies_, index)) return std::nullopt;
    bodies_.select(index);
    pageBody() = bodies_.selectedText();
    dressing_.skeleton = SkinSelections{}.skeleton;
    refill(false, true);
    return look_.fashionPage ? fashionStatus() : status();
}

void LookLists::bodyTextureSelected(int index) {
    if (!inList(bodyTextures_, index)) return;
    bodyTextures_.select(index);
    pageBodyTexture() = bodyTextures_.selectedText();
    dress();
}

std::optional<LookStatus> LookLists::skinColourChanged(int index) {
    if (index < 0 || index > 2) return std::nullopt;
    sounds_.playNamed(platform::sound::kClick);
    appearance_.skinColour = index;
    refill(true, true);
    dress();
    return status();
}

std::optional<LookStatus> LookLists::bodyTypeChanged(int index) {
    if (index < 0 || index > 2) return std::nullopt;
    sounds_.playNamed(platform::sound::kClick);
    appearance_.bodyType = index;
    refill(true, true);
    std::optional<LookStatus> shown = bodySelected(bodies_.selected());
    if (!shown) shown = look_.fashionPage ? fashionStatus() : status();
    bodyTextureSelected(bodyTextures_.selected());
    dress();
    return shown;
}

void LookLists::genderChanged(bool female) {
    appearance_.gender = female ? kFemaleGender : kMaleGender;
    refill(true, true);
    refill(false, true);
}

void LookLists::showNormalPage() {
    look_.fashionPage = false;
    refill(true, true);
    refill(false, true);
}

void LookLists::showFashionPage() {
    look_.fashionPage = true;
    refill(true, true);
    // As on the normal page: the first refill sought textures for the body stored before the
    // page's own list was filled, which need not be one of its entries.
    refill(false, true);
}

void LookLists::rescan() {
    sounds_.playNamed(platform::sound::kClick);
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

void LookLists::restartAs(const Appearance& look) {
    dressing_ = SkinSelections{};
    appearance_ = Appearance{};
    appearance_.adult = look.adult;
    appearance_.gender = look.gender == kMaleGender ? kMaleGender : kFemaleGender;
    appearance_.skinColour = std::clamp(look.skinColour, 0, 2);
    appearance_.bodyType = std::clamp(look.bodyType, 0, 2);
    look_.fashionPage = false;
}

void LookLists::applyChosenLook(const Appearance& chosen) {
    const Appearance look = chosen;  // the caller may hand in the selection itself
    restartAs(look);
    // Each name is looked up in a list already filtered for the person, and each texture list
    // follows the outfit chosen before it.
    refill(true, true);
    chooseByPrefix(bodies_, look.bodyMesh, appearance_.bodyMesh);
    refill(false, true);
    chooseByPrefix(bodyTextures_, look.bodyTexture, appearance_.bodyTexture);
    chooseByPrefix(heads_, look.headMesh, appearance_.headMesh);
    refill(false, true);
    chooseByPrefix(headTextures_, look.headTexture, appearance_.headTexture);
    dress();
}

std::vector<std::string> LookLists::openSavedLook(const Appearance& saved) {
    const Appearance look = saved;  // the caller may hand in the selection itself
    restartAs(look);
    showNormalPage();
    std::vector<std::string> notOffered;
    auto pick = [&](LookList& list, const std::string& name, std::string_view what, auto select) {
        if (name.empty()) return;
        const int index = list.findExact(name);
        if (index >= 0)
            select(index);
        else
            notOffered.push_back(savedNameNotOffered(what, name, list.selectedText()));
    };
    pick(bodies_, look.bodyMesh, "body", [this](int i) { (void)bodySelected(i); });
    pick(bodyTextures_, look.bodyTexture, "body texture",
         [this](int i) { bodyTextureSelected(i); });
    pick(heads_, look.headMesh, "head", [this](int i) { (void)headSelected(i); });
    pick(headTextures_, look.headTexture, "head texture",
         [this](int i) { headTextureSelected(i); });
    showFashionPage();
    pick(bodies_, look.fashionBodyMesh, "high-fashion body",
         [this](int i) { (void)bodySelected(i); });
    pick(bodyTextures_, look.fashionBodyTexture, "high-fashion body texture",
         [this](int i) { bodyTextureSelected(i); });
    showNormalPage();
    return notOffered;
}

}  // namespace marquill::character
