#include "character/CharacterCatalogue.h"

#include <cstdio>

#include "character/IndexFileReader.h"
#include "character/KeyframeReader.h"
#include "character/MeshReader.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/PathKey.h"

namespace marquill::character {

using fileindex::extensionCode;
using fileindex::FileRequest;
using fileindex::typeCode;

namespace {

constexpr uint32_t kSkin = typeCode("SKIN");
constexpr uint32_t kAnim = typeCode("ANIM");
constexpr uint32_t kIndx = typeCode("INDX");

template <typename T>
void insertLoaded(std::unordered_map<std::string, CatalogueEntry<T>>& table, T&& object,
                  const std::string& folder, const std::string& file, const PathList& pathList) {
    auto [it, added] = table.try_emplace(object.name);
    CatalogueEntry<T>& e = it->second;
    if (!added && e.loaded) return;  // the first definition wins
    e.name = object.name;
    e.folder = folder;
    e.file = file;
    e.pathList = pathList;
    e.loaded = true;
    e.object = std::make_unique<T>(std::move(object));
}

template <typename T>
void insertUnloaded(std::unordered_map<std::string, CatalogueEntry<T>>& table,
                    const std::string& name, const std::string& folder, const std::string& file,
                    const PathList& pathList) {
    auto [it, added] = table.try_emplace(name);
    if (!added) return;
    it->second.name = name;
    it->second.folder = folder;
    it->second.file = file;
    it->second.pathList = pathList;
}

}  // namespace

CharacterCatalogue::CharacterCatalogue(fileindex::FolderIndex& index,
                                       fileindex::FileTypeRegistry& types)
    : index_(index), types_(types) {
    // Repeated registrations change nothing.
    types_.registerType(kSkin);
    types_.addExtension(kSkin, extensionCode("SKN"));
    types_.addExtension(kSkin, extensionCode("BMF"));
    types_.registerType(kAnim);
    types_.addExtension(kAnim, extensionCode("CMX"));
    types_.addExtension(kAnim, extensionCode("BCF"));
    types_.registerType(kIndx);
    types_.addExtension(kIndx, extensionCode("NDX"));
}

CharacterCatalogue::~CharacterCatalogue() = default;

bool CharacterCatalogue::readInto(const std::string& folder, const std::string& fileName,
                                  const PathList& pathList) {
    auto reader = index_.open(folder + fileName, fileindex::OpenFor::Reading);
    if (!reader) return false;
    auto bytes = reader->readAll();
    if (!bytes) return false;
    bytesRead_ += bytes->size();
    const FileFormat format =
        fileindex::endsWithIgnoringCase(fileName, ".cmx") ? FileFormat::Text : FileFormat::Binary;
    registerContents(readCharacterFile(*bytes, format, boneNames_), folder, fileName, pathList);
    return true;
}

void CharacterCatalogue::registerContents(CharacterFile&& file, const std::string& folder,
                                          const std::string& fileName, const PathList& pathList) {
    for (Skeleton& s : file.skeletons)
        insertLoaded(skeletons_, std::move(s), folder, fileName, pathList);
    for (Outfit& o : file.outfits) {
        o.pathList = pathList;
        insertLoaded(outfits_, std::move(o), folder, fileName, pathList);
    }
    for (Animation& a : file.animations) {
        a.pathList = pathList;
        insertLoaded(animations_, std::move(a), folder, fileName, pathList);
    }
}

bool CharacterCatalogue::build(std::string_view characterPaths, std::string_view animationPaths,
                               const Progress& progress) {
    auto characters =
        std::make_shared<const std::vector<std::string>>(fileindex::splitPathList(characterPaths));
    auto animations =
        std::make_shared<const std::vector<std::string>>(fileindex::splitPathList(animationPaths));

    if (progress) progress("Building directory");
    bool anyFolder = false;
    for (const auto* list : {characters.get(), animations.get()}) {
        for (const std::string& folder : *list) {
            index_.addFolder(folder, fileindex::Recurse::Yes, fileindex::ReadArchives::Yes);
            anyFolder = anyFolder || index_.hasFolder(fileindex::folderKey(folder));
        }
    }
    if (!anyFolder) return false;

    if (progress) progress("Loading data - This takes a while...");
    FileRequest request;
    types_.enumerate(request, *characters, kAnim, [&](FileRequest& found) {
        readInto(found.folder, found.fileName, characters);
        return 0;
    });
    types_.enumerate(request, *animations, extensionCode("NDX"), [&](FileRequest& found) {
        auto reader = index_.open(found.folder + found.fileName, fileindex::OpenFor::Reading);
        if (!reader) return 0;
        auto bytes = reader->readAll();
        if (!bytes) return 0;
        bytesRead_ += bytes->size();
        IndexFile ndx = readIndexFile(*bytes);
        for (const auto& [name, stem] : ndx.skeletons)
            insertUnloaded(skeletons_, name, found.folder, stem + ".bcf", animations);
        for (const auto& [name, stem] : ndx.outfits)
            insertUnloaded(outfits_, name, found.folder, stem + ".bcf", animations);
        for (const auto& [name, stem] : ndx.animations)
            insertUnloaded(animations_, name, found.folder, stem + ".bcf", animations);
        return 0;
    });
    return true;
}

template <typename T>
T* CharacterCatalogue::find(std::unordered_map<std::string, CatalogueEntry<T>>& table,
                            const std::string& name) {
    auto it = table.find(name);
    if (it == table.end()) return nullptr;
    if (!it->second.loaded) {
        // Copies: reading registers into this very entry.
        const std::string folder = it->second.folder;
        const std::string file = it->second.file;
        const PathList pathList = it->second.pathList;
        readInto(folder, file, pathList);
        it = table.find(name);
        it->second.loaded = true;
    }
    return it->second.object.get();
}

Skeleton* CharacterCatalogue::findSkeleton(const std::string& name) {
    return find(skeletons_, name);
}
Outfit* CharacterCatalogue::findOutfit(const std::string& name) {
    return find(outfits_, name);
}
Animation* CharacterCatalogue::findAnimation(const std::string& name) {
    return find(animations_, name);
}

std::shared_ptr<DeformableMesh> CharacterCatalogue::loadMesh(const std::string& meshName,
                                                             const PathList& pathList) {
    static const std::vector<std::string> kNoPaths;
    const std::vector<std::string>& paths = pathList ? *pathList : kNoPaths;
    auto attempt = [&](uint32_t extension, FileFormat format) -> std::shared_ptr<DeformableMesh> {
        FileRequest request;
        if (types_.find(request, paths, extension, meshName, false) != fileindex::kFound)
            return nullptr;
        auto bytes = request.file->readAll();
        if (!bytes) return nullptr;
        bytesRead_ += bytes->size();
        auto mesh = readMesh(*bytes, format, boneNames_);
        if (!mesh) return nullptr;
        return std::make_shared<DeformableMesh>(std::move(*mesh));
    };
    if (index_.archiveEntriesPresent())
        if (auto mesh = attempt(extensionCode("BMF"), FileFormat::Binary)) return mesh;
    return attempt(extensionCode("SKN"), FileFormat::Text);
}

std::shared_ptr<DeformableMesh> CharacterCatalogue::meshFor(SkinPart& part, const Outfit& outfit) {
    if (!part.mesh) part.mesh = loadMesh(part.meshName, outfit.pathList);
    return part.mesh;
}

bool CharacterCatalogue::loadKeyframes(Animation& animation) {
    if (animation.keyframesLoaded) return true;
    static const std::vector<std::string> kNoPaths;
    const std::vector<std::string>& paths = animation.pathList ? *animation.pathList : kNoPaths;
    Keyframes keys;
    for (const char* ext : {"cfp", "bin"}) {
        FileRequest request;
        const uint32_t code = ext[0] == 'c' ? extensionCode("cfp") : extensionCode("bin");
        if (types_.find(request, paths, code, animation.keyframeStem, false) != fileindex::kFound)
            continue;
        auto bytes = request.file->readAll();
        if (!bytes) break;
        bytesRead_ += bytes->size();
        const bool ok =
            ext[0] == 'c'
                ? decodeCfp(*bytes, animation.translationCount, animation.rotationCount, keys)
                : decodeBin(*bytes, animation.translationCount, animation.rotationCount, keys);
        if (!ok) break;
        animation.translations = std::move(keys.translations);
        animation.rotations = std::move(keys.rotations);
        animation.keyframesLoaded = true;
        return true;
    }
    std::fprintf(stderr, "Could not load binary: %s\n", animation.keyframeStem.c_str());
    return false;
}

}  // namespace marquill::character
