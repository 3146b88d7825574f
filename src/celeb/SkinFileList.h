#pragma once
// The character files that travel with a saved celebrity: the normal body and head outfits, their
// meshes and their textures, as full paths below the game's GameData/Skins folder.
#include <string>
#include <vector>

#include "character/Appearance.h"

namespace marquill::celeb {

class SkinFileList {
  public:
    static constexpr size_t kCapacity = 50;

    void clear() { paths_.clear(); }
    // Appends a path not yet listed (exact comparison); false when the list is full.
    bool add(const std::string& path);
    [[nodiscard]] const std::vector<std::string>& paths() const { return paths_; }
    [[nodiscard]] size_t size() const { return paths_.size(); }

    // Adds the files of the appearance's normal outfit that exist under gameFolder.
    void collect(const std::string& gameFolder, const character::Appearance& appearance);

  private:
    void addOutfit(const std::string& gameFolder, const std::string& outfit);
    std::vector<std::string> paths_;
};

}  // namespace marquill::celeb
