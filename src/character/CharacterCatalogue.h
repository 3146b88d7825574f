#pragma once
// Every skeleton, outfit and animation of the installation by name, read once at start-up from
// the character files of the search paths, with index entries filled on first use and meshes and
// keyframes loaded on demand.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "character/BoneNameTable.h"
#include "character/CharacterFileReader.h"
#include "character/CharacterRecords.h"
#include "render/RenderObjectFactory.h"

namespace marquill::fileindex {
class FolderIndex;
class FileTypeRegistry;
}  // namespace marquill::fileindex

namespace marquill::character {

inline constexpr std::string_view kCharacterPathList =
    "GameData\\cmx;GameData\\cmx2;GameData\\cmx3;GameData\\cmx4;GameData\\cmx5;GameData\\cmx6;"
    "GameData\\cmx7;GameData\\cmx8;GameData\\cmx9;GameData\\cmx10;GameData\\People1;"
    "GameData\\People2;GameData\\Skins;GameData\\Textures;GameData\\Textures2;"
    "ExpansionPack2\\Skins;ExpansionPack3\\Skins;ExpansionPack4\\Skins;ExpansionPack5\\Skins;"
    "ExpansionPack6\\Skins;ExpansionPack7\\Skins;ExpansionPack8\\Skins;ExpansionPack9\\Skins;"
    "ExpansionShared\\Skins;ExpansionShared\\SkinsBuy;Deluxe\\Skins;ExpansionPack3\\Animations;"
    "ExpansionPack6;GameData\\Accessories1;GameData\\Accessories2";
inline constexpr std::string_view kAnimationPathList =
    "GameData\\Animation;GameData\\Skins;ExpansionPack\\ExpansionPackAssets;ExpansionPack;"
    "ExpansionPack2;ExpansionPack3;ExpansionPack4;ExpansionPack5;ExpansionPack6;ExpansionPack7;"
    "ExpansionPack8;ExpansionPack9;ExpansionShared;Deluxe;Animation2";
inline constexpr std::string_view kTexturePathList =
    "GameData\\Textures;GameData\\Textures2;GameData\\Skins;GameData\\Animations;"
    "GameData\\People1;GameData\\People2;ExpansionPack3\\Skins;ExpansionPack2\\Skins;"
    "ExpansionPack\\ExpansionPackAssets;ExpansionPack4\\Skins;ExpansionPack5\\Skins;"
    "ExpansionPack6\\Skins;ExpansionPack7\\Skins;ExpansionShared\\Skins;ExpansionShared\\SkinsBuy;"
    "ExpansionPack8\\Skins;ExpansionPack9\\Skins;Deluxe\\Skins";

template <typename T>
struct CatalogueEntry {
    std::string name;
    std::string folder;  // as in the search path list, with its trailing "\"
    std::string file;
    PathList pathList;
    bool loaded = false;
    std::unique_ptr<T> object;  // none until loaded, and for an index entry whose file failed
};

class CharacterCatalogue {
  public:
    CharacterCatalogue(fileindex::FolderIndex& index, fileindex::FileTypeRegistry& types);
    ~CharacterCatalogue();
    CharacterCatalogue(const CharacterCatalogue&) = delete;
    CharacterCatalogue& operator=(const CharacterCatalogue&) = delete;

    using Progress = std::function<void(std::string_view)>;
    // Fills the folder index with both path lists and reads every character file and index;
    // false when no folder of either list exists.
    [[nodiscard]] bool build(std::string_view characterPaths, std::string_view animationPaths,
                             const Progress& progress = {});

    [[nodiscard]] Skeleton* findSkeleton(const std::string& name);
    [[nodiscard]] Outfit* findOutfit(const std::string& name);
    [[nodiscard]] Animation* findAnimation(const std::string& name);

    // The mesh of that name: binary through the folder index first while archives are indexed,
    // then text; none when it cannot be found or read.
    [[nodiscard]] std::shared_ptr<DeformableMesh> loadMesh(const std::string& meshName,
                                                           const PathList& pathList);
    // The part's mesh, loaded on first use and kept in the part.
    [[nodiscard]] std::shared_ptr<DeformableMesh> meshFor(SkinPart& part, const Outfit& outfit);
    // Fills the animation's keyframe arrays once; false when no keyframe file can be read.
    [[nodiscard]] bool loadKeyframes(Animation& animation);

    [[nodiscard]] BoneNameTable& boneNames() { return boneNames_; }
    [[nodiscard]] const auto& skeletons() const { return skeletons_; }
    [[nodiscard]] const auto& outfits() const { return outfits_; }
    [[nodiscard]] const auto& animations() const { return animations_; }

    // The render objects built for the catalogue's meshes live as long as the catalogue.
    [[nodiscard]] render::RenderObjectFactory& renderObjectFactory() { return factory_; }

    // Bytes of character files read, for the benchmark's report.
    [[nodiscard]] uint64_t bytesRead() const { return bytesRead_; }

  private:
    void registerContents(CharacterFile&& file, const std::string& folder,
                          const std::string& fileName, const PathList& pathList);
    bool readInto(const std::string& folder, const std::string& fileName, const PathList& pathList);
    template <typename T>
    T* find(std::unordered_map<std::string, CatalogueEntry<T>>& table, const std::string& name);

    fileindex::FolderIndex& index_;
    fileindex::FileTypeRegistry& types_;
    BoneNameTable boneNames_;
    std::unordered_map<std::string, CatalogueEntry<Skeleton>> skeletons_;
    std::unordered_map<std::string, CatalogueEntry<Outfit>> outfits_;
    std::unordered_map<std::string, CatalogueEntry<Animation>> animations_;
    render::RenderObjectFactory factory_;
    uint64_t bytesRead_ = 0;
};

}  // namespace marquill::character
