#pragma once
// The look pages' four choice lists (heads, head textures, bodies, body textures), filled from the
// outfits of the catalogue and the texture files of the search paths by the player's gender, skin
// colour and body type, with the selections they keep and the status the page shows. No window
// handles: the wizard mirrors these lists into its controls.
#include <optional>
#include <string>
#include <vector>

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
    // Dresses the person from the selections (the hands follow the normal body).
    virtual void dress(SkinSelections& selections, bool fashionPage) = 0;
    // Takes every outfit and the running animation off the person.
    virtual void undressAll() = 0;
    // Releases every texture surface and material so they are read again from the files.
    virtual void reloadTextures() = 0;
    // Stops a running animation of another name; with none running, starts the named one once
    // and holds it at its end, or clears the name when the catalogue does not know it.
    virtual void syncAnimation(std::string& animationName) = 0;
};

// The choices the filters read. Skin colour: 0 Light, 1 Medium, 2 Dark; body type: 0 Fit,
// 1 Full, 2 Thin. `female` follows the gender toggles; `adult` and `male` are the flags a person
// loaded from the game sets (the male flag tells child bodies apart).
struct LookInputs {
    bool female = false;
    int skinColour = 1;
    int bodyType = 0;
    bool adult = true;
    bool male = true;
    bool fashionPage = false;
};

struct LookStatus {
    std::string text;
    bool nextEnabled = false;

    bool operator==(const LookStatus&) const = default;
};

inline constexpr const char* kSkinSelectionOk = "Skin Selection Ok";
inline constexpr const char* kInvalidHeadOrSkin = "Invalid Head or Skin Selection";
inline constexpr const char* kInvalidFashionSkin = "Invalid Fashion Skin Selection";

// The appearance of a person chosen in the import lists, decoded from its body strings.
struct ChosenLook {
    bool adult = true;
    bool male = true;
    int skinColour = 1;
    int bodyType = 0;
    std::string bodyOutfit;
    std::string bodyTexture;
    std::string headOutfit;
    std::string headTexture;
};

class LookLists {
  public:
    LookLists(CharacterCatalogue& catalogue, fileindex::FolderIndex& index,
              fileindex::FileTypeRegistry& types, SkinSelections& selections, PersonControl* person,
              platform::SoundPlayer& sounds);

    [[nodiscard]] LookInputs& inputs() { return inputs_; }
    [[nodiscard]] const LookInputs& inputs() const { return inputs_; }
    [[nodiscard]] SkinSelections& selections() { return selections_; }
    [[nodiscard]] const SkinSelections& selections() const { return selections_; }
    // The defaults the selections started from; a new celebrity starts from them again.
    [[nodiscard]] const SkinSelections& defaults() const { return defaults_; }
    void restoreDefaults() { selections_ = defaults_; }

    // The start-up state (Fit, Medium, an adult male on the normal page) and the first fill.
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

    // Shows a person chosen in the import lists: the selections restart from their defaults, the
    // lists follow the person's gender, age, skin colour and body type, and each name selects the
    // first entry beginning with it (the list's first entry when none does).
    void applyChosenLook(const ChosenLook& look);

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
    void fillOutfits();
    void fillTextures();
    void rebuildTextureNames();
    void dress();
    [[nodiscard]] std::string& pageBody();
    [[nodiscard]] std::string& pageBodyTexture();

    CharacterCatalogue& catalogue_;
    fileindex::FolderIndex& index_;
    fileindex::FileTypeRegistry& types_;
    SkinSelections& selections_;
    const SkinSelections defaults_;
    PersonControl* person_;
    platform::SoundPlayer& sounds_;
    LookInputs inputs_;
    LookList heads_, headTextures_, bodies_, bodyTextures_;
    std::vector<std::string> textureNames_;
    std::vector<std::string> animationPaths_, characterPaths_;
};

}  // namespace marquill::character
