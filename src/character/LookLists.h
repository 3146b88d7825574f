#pragma once
// The look pages' four choice lists (heads, head textures, bodies, body textures), filled from the
// outfits of the catalogue and the texture files of the search paths by the appearance's gender,
// skin colour and body type, with the status the page shows. The lists edit the appearance
// selection they are given, which is the only copy of it. No window handles: the wizard mirrors
// these lists into its controls.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "character/Appearance.h"
#include "character/LookList.h"
#include "character/SkinSelections.h"

namespace marquill::fileindex {
class FolderIndex;
class FileTypeRegistry;
}  // namespace marquill::fileindex

namespace marquill::platform {
class SoundPlayer;
}

namespace marquill::character {

class CharacterCatalogue;

// What the lists need from the preview; the preview scene implements it. Without one (the
// command line) nothing is built, dressed or animated.
class PersonControl {
  public:
    virtual ~PersonControl() = default;
    // Stops the preview's frame tick while the lists are rebuilt.
    virtual void setBusy(bool busy) = 0;
    // Builds the person when there is none, or rebuilds it when its skeleton is another.
    virtual void ensurePerson(const std::string& skeletonName) = 0;
    // Dresses the person in the appearance, the fashion body on the fashion page (the hands, into
    // `dressing`, follow the normal body).
    virtual void dress(const Appearance& appearance, SkinSelections& dressing,
                       bool fashionPage) = 0;
    // Takes every outfit and the running animation off the person.
    virtual void undressAll() = 0;
    // Releases every texture surface and material so they are read again from the files.
    virtual void reloadTextures() = 0;
    // Stops a running animation of another name; with none running, starts the named one once
    // and holds it at its end, or clears the name when the catalogue does not know it.
    virtual void syncAnimation(std::string& animationName) = 0;
};

struct LookStatus {
    std::string text;
    bool nextEnabled = false;

    bool operator==(const LookStatus&) const = default;
};

inline constexpr const char* kSkinSelectionOk = "Skin Selection Ok";
inline constexpr const char* kInvalidHeadOrSkin = "Invalid Head or Skin Selection";
inline constexpr const char* kInvalidFashionSkin = "Invalid Fashion Skin Selection";

// The line that says a saved name is no longer offered and which entry the page chose instead.
[[nodiscard]] std::string savedNameNotOffered(std::string_view what, std::string_view saved,
                                              std::string_view used);

class LookLists {
  public:
    LookLists(CharacterCatalogue& catalogue, fileindex::FolderIndex& index,
              fileindex::FileTypeRegistry& types, LookSelection& look, SkinSelections& dressing,
              PersonControl* person, platform::SoundPlayer& sounds);

    [[nodiscard]] const Appearance& appearance() const { return look_.appearance; }
    [[nodiscard]] bool fashionPage() const { return look_.fashionPage; }
    [[nodiscard]] const SkinSelections& dressing() const { return dressing_; }

    // The start-up state (Fit, Medium, an adult male on the normal page; the names stay) and the
    // first fill.
    void start();
    // Rebuilds the head and body lists (outfits) and the two texture lists (either flag).
    void refill(bool outfits, bool textures);

    // The list handlers; an index outside its list changes nothing (and gives no status).
    std::optional<LookStatus> headSelected(int index);
    void headTextureSelected(int index);
    std::optional<LookStatus> bodySelected(int index);
    void bodyTextureSelected(int index);
    std::optional<LookStatus> skinColourChanged(int index);
    std::optional<LookStatus> bodyTypeChanged(int index);
    void genderChanged(bool female);
    void showNormalPage();
    void showFashionPage();
    // Rereads the texture files and refills; the outfit catalogue stays as it is.
    void rescan();

    // Both texture lists have entries: "Skin Selection Ok", else "Invalid Head or Skin Selection".
    [[nodiscard]] LookStatus status() const;
    // After a body change on the high-fashion page: an empty body texture list first.
    [[nodiscard]] LookStatus fashionStatus() const;

    // Shows a person chosen in the import lists: the dressing and the fashion outfit restart
    // from their defaults, the lists follow the person's gender, age, skin colour and body type,
    // and each name selects the first entry beginning with it (the list's first entry when none
    // does).
    void applyChosenLook(const Appearance& chosen);
    // Opens a saved celebrity's look: from the defaults, its gender, skin colour and body type,
    // then each name its list still offers (ignoring case), in the player's order: body, body
    // texture, head, head texture, then the high-fashion body and its texture. The lists end on
    // the normal page. One line (savedNameNotOffered) for each name no list offers.
    [[nodiscard]] std::vector<std::string> openSavedLook(const Appearance& saved);

    [[nodiscard]] LookList& heads() { return heads_; }
    [[nodiscard]] LookList& headTextures() { return headTextures_; }
    [[nodiscard]] LookList& bodies() { return bodies_; }
    [[nodiscard]] LookList& bodyTextures() { return bodyTextures_; }
    [[nodiscard]] const LookList& heads() const { return heads_; }
    [[nodiscard]] const LookList& headTextures() const { return headTextures_; }
    [[nodiscard]] const LookList& bodies() const { return bodies_; }
    [[nodiscard]] const LookList& bodyTextures() const { return bodyTextures_; }

    // The texture names of the last refill, in the order the search paths gave them.
    [[nodiscard]] const std::vector<std::string>& textureNames() const { return textureNames_; }

  private:
    // The dressing and the appearance from their defaults, then the person's gender, age, skin
    // colour and body type, on the normal page; nothing is refilled yet.
    void restartAs(const Appearance& look);
    void fillOutfits();
    void fillTextures();
    void rebuildTextureNames();
    void dress();
    [[nodiscard]] std::string& pageBody();
    [[nodiscard]] std::string& pageBodyTexture();

    CharacterCatalogue& catalogue_;
    fileindex::FolderIndex& index_;
    fileindex::FileTypeRegistry& types_;
    LookSelection& look_;
    Appearance& appearance_;  // look_'s
    SkinSelections& dressing_;
    PersonControl* person_;
    platform::SoundPlayer& sounds_;
    LookList heads_, headTextures_, bodies_, bodyTextures_;
    std::vector<std::string> textureNames_;
    std::vector<std::string> animationPaths_, characterPaths_;
};

}  // namespace marquill::character
