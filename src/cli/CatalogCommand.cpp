// `marquill catalog`: what the character catalogue holds, or one object of it in full.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "character/CharacterCatalogue.h"
#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"

namespace marquill::cli {
namespace {

using character::CharacterCatalogue;

template <typename Table>
std::vector<const typename Table::mapped_type*> sorted(const Table& table) {
    std::vector<const typename Table::mapped_type*> out;
    for (const auto& [name, entry] : table)
        out.push_back(&entry);
    std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->name < b->name; });
    return out;
}

void properties(Json& j, const character::PropertyList& list) {
    j.beginObject();
    for (const auto& [k, v] : list.pairs)
        j.field(k, v);
    j.endObject();
}

void floats(Json& j, const float* v, int n) {
    j.beginArray();
    for (int i = 0; i < n; ++i)
        j.value(static_cast<double>(v[i]));
    j.endArray();
}

void listing(Json& j, const CharacterCatalogue& cat) {
    j.beginObject();
    j.key("skeletons").beginArray();
    for (auto* e : sorted(cat.skeletons())) {
        j.beginObject().field("name", e->name).field("loaded", e->loaded);
        if (e->object) j.field("bones", static_cast<int64_t>(e->object->bones.size()));
        j.field("file", e->folder + e->file).endObject();
    }
    j.endArray();
    j.key("outfits").beginArray();
    for (auto* e : sorted(cat.outfits())) {
        j.beginObject().field("name", e->name).field("loaded", e->loaded);
        if (e->object)
            j.field("type", e->object->type)
                .field("skin_parts", static_cast<int64_t>(e->object->parts.size()));
        j.field("file", e->folder + e->file).endObject();
    }
    j.endArray();
    j.key("animations").beginArray();
    for (auto* e : sorted(cat.animations())) {
        j.beginObject().field("name", e->name).field("loaded", e->loaded);
        if (e->object)
            j.field("duration", static_cast<double>(e->object->duration))
                .field("tracks", static_cast<int64_t>(e->object->tracks.size()))
                .field("keyframes_loaded", e->object->keyframesLoaded);
        j.field("file", e->folder + e->file).endObject();
    }
    j.endArray();
    j.endObject();
}

void printListing(const CharacterCatalogue& cat) {
    std::printf("skeletons (%zu)\n", cat.skeletons().size());
    for (auto* e : sorted(cat.skeletons())) {
        if (e->object)
            std::printf("  %-40s %zu bones\n", e->name.c_str(), e->object->bones.size());
        else
            std::printf("  %-40s not loaded\n", e->name.c_str());
    }
    std::printf("outfits (%zu)\n", cat.outfits().size());
    for (auto* e : sorted(cat.outfits())) {
        if (e->object)
            std::printf("  %-40s type %d, %zu skin parts\n", e->name.c_str(), e->object->type,
                        e->object->parts.size());
        else
            std::printf("  %-40s not loaded\n", e->name.c_str());
    }
    std::printf("animations (%zu)\n", cat.animations().size());
    for (auto* e : sorted(cat.animations())) {
        if (e->object)
            std::printf("  %-40s %.0f ms, %zu tracks, keyframes %s\n", e->name.c_str(),
                        static_cast<double>(e->object->duration), e->object->tracks.size(),
                        e->object->keyframesLoaded ? "loaded" : "not loaded");
        else
            std::printf("  %-40s not loaded\n", e->name.c_str());
    }
}

void skeleton(Json& j, const character::Skeleton& s) {
    j.beginObject().field("name", s.name).field("root", s.root);
    j.key("bones").beginArray();
    for (const auto& b : s.bones) {
        j.beginObject().field("name", b.name).field("parent", b.parentName).field("id", b.nameId);
        j.field("key_bone", b.keyBone);
        j.key("translation");
        floats(j, &b.translation.x, 3);
        j.key("rotation");
        floats(j, &b.rotation.x, 4);
        j.field("translate", b.translateFlag).field("rotate", b.rotateFlag);
        j.field("blend", b.blendFlag).field("wiggle_amount", b.wiggleAmount);
        j.field("wiggle_power", static_cast<double>(b.wigglePower));
        j.key("properties");
        properties(j, b.properties);
        j.endObject();
    }
    j.endArray().endObject();
}

void outfit(Json& j, const character::Outfit& o) {
    j.beginObject().field("name", o.name).field("type", o.type);
    j.key("properties");
    properties(j, o.properties);
    j.key("skin_parts").beginArray();
    for (const auto& p : o.parts) {
        j.beginObject().field("bone", p.boneName).field("mesh", p.meshName);
        j.field("censor_flags", p.censorFlags);
        j.key("properties");
        properties(j, p.properties);
        j.endObject();
    }
    j.endArray();
    j.key("path_list").beginArray();
    if (o.pathList)
        for (const auto& p : *o.pathList)
            j.value(p);
    j.endArray().endObject();
}

void animation(Json& j, const character::Animation& a) {
    j.beginObject().field("name", a.name).field("keyframe_stem", a.keyframeStem);
    j.field("duration", static_cast<double>(a.duration));
    j.field("distance", static_cast<double>(a.distance)).field("moving", a.moving);
    j.field("translation_count", a.translationCount).field("rotation_count", a.rotationCount);
    j.key("tracks").beginArray();
    for (const auto& t : a.tracks) {
        j.beginObject().field("bone", t.boneName).field("frames", t.frameCount);
        j.field("duration", static_cast<double>(t.duration));
        j.field("translations_used", t.translationsUsed).field("rotations_used", t.rotationsUsed);
        j.field("translation_offset", t.translationOffset);
        j.field("rotation_offset", t.rotationOffset);
        j.key("properties");
        properties(j, t.properties);
        j.key("time_properties").beginArray();
        for (const auto& tp : t.timeProperties) {
            j.beginObject().field("time", tp.time).key("properties");
            properties(j, tp.properties);
            j.endObject();
        }
        j.endArray().endObject();
    }
    j.endArray();
    j.field("keyframes_loaded", a.keyframesLoaded);
    j.key("translations").beginArray();
    for (size_t i = 0; i + 2 < a.translations.size(); i += 3)
        floats(j, &a.translations[i], 3);
    j.endArray();
    j.key("rotations").beginArray();
    for (size_t i = 0; i + 3 < a.rotations.size(); i += 4)
        floats(j, &a.rotations[i], 4);
    j.endArray().endObject();
}

constexpr const char* kUsage =
    "usage: marquill catalog [--game-dir DIR] [--json] [--skeleton N | --outfit N | --animation N]";

}  // namespace

int runCatalog(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    for (const auto& o : args->optionNames())
        if (o != "json" && o != "game-dir" && o != "skeleton" && o != "outfit" && o != "animation")
            return fail(kExitUsage, "unknown option --" + o + "\n" + kUsage);
    const int picks = args->has("skeleton") + args->has("outfit") + args->has("animation");
    if (!args->positional().empty() || picks > 1) return fail(kExitUsage, kUsage);

    GameLookupError lookup;
    auto gameFolder = gameFolderFrom(*args, &lookup);
    if (!gameFolder) return fail(lookup.exit, lookup.message);
    fileindex::FolderIndex index(*gameFolder);
    fileindex::FileTypeRegistry types(index);
    CharacterCatalogue cat(index, types);
    if (!cat.build(character::kCharacterPathList, character::kAnimationPathList))
        return fail(kExitFileError,
                    "no character folders in the game folder '" + index.root() + "'");

    Json j;
    if (auto name = args->value("skeleton")) {
        auto* s = cat.findSkeleton(*name);
        if (!s) return fail(kExitRefused, "no skeleton named '" + *name + "'");
        skeleton(j, *s);
    } else if (auto oname = args->value("outfit")) {
        auto* o = cat.findOutfit(*oname);
        if (!o) return fail(kExitRefused, "no outfit named '" + *oname + "'");
        outfit(j, *o);
    } else if (auto aname = args->value("animation")) {
        auto* a = cat.findAnimation(*aname);
        if (!a) return fail(kExitRefused, "no animation named '" + *aname + "'");
        if (!cat.loadKeyframes(*a))
            return fail(kExitFileError,
                        "no keyframes for '" + *aname + "' (" + a->keyframeStem + ")");
        animation(j, *a);
    } else if (args->has("json")) {
        listing(j, cat);
    } else {
        printListing(cat);
        return kExitDone;
    }
    // One object in full reads best as JSON in either form.
    std::printf("%s\n", j.str().c_str());
    return kExitDone;
}

}  // namespace marquill::cli
