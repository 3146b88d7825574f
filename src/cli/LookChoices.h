#pragma once
// The appearance choices of `create`, `skins` and `render`, made through the look-page lists as a
// player would make them, so that unset choices are what the page would select (a woman gets a
// woman's head and body) and a name the page would not offer is refused.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "character/CharacterCatalogue.h"
#include "character/LookLists.h"
#include "character/SkinSelections.h"
#include "cli/Args.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "platform/SoundPlayer.h"

namespace marquill::cli {

struct LookChoices {
    std::optional<bool> female;
    std::optional<int> skinColour;  // 0 light, 1 medium, 2 dark
    std::optional<int> bodyType;    // 0 fit, 1 full, 2 thin
    std::optional<std::string> head, headTexture, body, bodyTexture;
    std::optional<std::string> fashionBody, fashionTexture;
    // A saved celebrity's names (create --from), for each list the player chose nothing in; one
    // its list no longer offers leaves the page's default, with a warning.
    std::optional<std::string> savedHead, savedHeadTexture, savedBody, savedBodyTexture;
    std::optional<std::string> savedFashionBody, savedFashionTexture;
};

// --gender male|female, --skin light|medium|dark, --body-type fit|full|thin, --head,
// --head-texture, --body, --body-texture, --fashion-body, --fashion-texture; none (with the
// usage text) for a value that is not one of those offered.
[[nodiscard]] std::optional<LookChoices> lookChoicesFrom(const Args& args, std::string* error);

struct LookOutcome {
    int exit = 0;                       // kExitDone, kExitUsage or kExitRefused
    std::string message;                // why, when not done
    std::vector<std::string> warnings;  // saved names no longer offered

    [[nodiscard]] bool done() const { return exit == 0; }
};

// From start-up, the normal page with the choices in the player's order: gender, skin colour,
// body type, body, body texture, head, head texture. A name its list does not offer is a usage
// error that names what the list offers; a skeleton or outfit the catalogue cannot give, a
// refusal.
[[nodiscard]] LookOutcome applyLookChoices(character::LookLists& lists,
                                           character::CharacterCatalogue& catalogue,
                                           const LookChoices& choices);
// Then the high-fashion page with its body and texture.
[[nodiscard]] LookOutcome applyFashionChoices(character::LookLists& lists,
                                              character::CharacterCatalogue& catalogue,
                                              const LookChoices& choices);

// The catalogue and look lists over a game folder, for a command without a preview.
class LookSession {
  public:
    explicit LookSession(const std::string& gameFolder);
    // Reads the character files; false when the game folder has no character folders.
    [[nodiscard]] bool build();

    [[nodiscard]] fileindex::FolderIndex& index() { return index_; }
    [[nodiscard]] character::CharacterCatalogue& catalogue() { return catalogue_; }
    [[nodiscard]] character::LookLists& lists() { return lists_; }

  private:
    fileindex::FolderIndex index_;
    fileindex::FileTypeRegistry types_;
    character::CharacterCatalogue catalogue_;
    character::LookSelection look_;
    character::SkinSelections dressing_;
    platform::SilentSoundPlayer sounds_;
    character::LookLists lists_;
};

}  // namespace marquill::cli
