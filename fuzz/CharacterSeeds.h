#pragma once
// Seed corpora for the character-file fuzz targets, made by our own writers from the demo
// content: a seed writer calls one of these with the folder it is given.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "character/CharacterFileReader.h"
#include "character/IndexFileReader.h"
#include "content/CharacterFileWriter.h"
#include "content/DemoAnimations.h"
#include "content/DemoFigure.h"
#include "content/DemoSkeleton.h"
#include "content/FarWriter.h"
#include "content/KeyframeWriter.h"
#include "platform/ByteSink.h"

namespace marquill::fuzzseeds {

inline bool save(const std::string& dir, const std::string& name, const std::vector<uint8_t>& b) {
    std::FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

inline std::vector<uint8_t> bytesOf(const std::function<bool(platform::ByteSink&)>& write) {
    platform::VectorSink sink;
    if (!write(sink)) return {};
    return sink.take();
}

// A few character files: the skeleton, outfits with properties, a pair of animations.
inline std::vector<character::CharacterFile> characterFiles() {
    std::vector<character::CharacterFile> files(3);
    files[0].skeletons.push_back(content::demo::adultSkeleton());
    files[0].skeletons[0].bones[3].properties.set("wiggle", "yes");
    character::Outfit o;
    o.name = "b003mafit_01";
    o.properties.set("gender", "male");
    character::SkinPart p;
    p.boneName = "PELVIS";
    p.meshName = "xskin-b003mafit_01-PELVIS-BODY";
    p.properties.set("censor", "1");
    o.parts = {p, p};
    files[1].outfits.push_back(o);
    auto anims = content::demo::idleAnimations(0);
    for (size_t i : {size_t{0}, size_t{12}}) {
        anims[i].animation.translations.clear();
        anims[i].animation.rotations.clear();
        files[2].animations.push_back(anims[i].animation);
    }
    return files;
}

inline std::vector<character::DeformableMesh> meshes() {
    using namespace content::demo;
    HeadShape head;
    head.hair = HairStyle::Hat;
    HeadShape pony;
    pony.hair = HairStyle::Pony;
    pony.female = true;
    return {handMesh("xskin-hmlo-L_HAND-HAND", "huaomed", -1, false, false),
            headMesh("xskin-c036fa_cowg-HEAD-HEAD", "C036famed_cowg", head),
            headMesh("xskin-c020fa_pony-HEAD-HEAD", "C020famed_pony", pony)};
}

// Keyframe seeds carry their counts in front: translation count and rotation count as uint16.
inline std::vector<std::vector<uint8_t>> keyframeSeeds(bool compressed) {
    std::vector<std::vector<uint8_t>> out;
    auto anims = content::demo::idleAnimations(0);
    for (size_t i : {size_t{0}, size_t{11}}) {
        const auto& a = anims[i].animation;
        std::vector<float> t(a.translations.begin(), a.translations.begin() + 30);
        std::vector<float> r(a.rotations.begin(), a.rotations.begin() + 400);
        auto data = bytesOf([&](platform::ByteSink& s) {
            s.u16le(static_cast<uint16_t>(t.size() / 3));
            s.u16le(static_cast<uint16_t>(r.size() / 4));
            return compressed ? content::writeCfp(t, r, s) : content::writeBin(t, r, s);
        });
        out.push_back(data);
    }
    return out;
}

}  // namespace marquill::fuzzseeds
