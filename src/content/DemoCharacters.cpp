#include "content/DemoCharacters.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "character/CharacterFileReader.h"
#include "character/IndexFileReader.h"
#include "content/BmpWriter.h"
#include "content/CharacterFileWriter.h"
#include "content/DemoAnimations.h"
#include "content/DemoFigure.h"
#include "content/DemoSkeleton.h"
#include "content/DemoTextures.h"
#include "content/FarWriter.h"
#include "content/KeyframeWriter.h"
#include "platform/ByteSink.h"

namespace marquill::content {

using character::FileFormat;
using namespace demo;

namespace {

// Where an outfit's files go.
enum class Place {
    Loose,    // GameData\Skins: text .cmx, .skn meshes, textures
    Indexed,  // GameData\Animation: a binary .bcf named by the index, .bmf meshes; textures in
              // GameData\Textures
    Archive,  // ExpansionPack3\ExpansionPack3.far: Skins\ with text .cmx, .bmf, textures
};

struct HeadDef {
    const char* name;
    const char* texture;  // the part after the skin code
    bool female;
    HairStyle hair;
    Rgb hairColour;
    Rgb eyeColour;
    bool beard;
    Place place;
};

struct BodyDef {
    const char* name;
    const char* texture;
    bool female;
    Build build;
    TopStyle top;
    BottomStyle bottom;
    Rgb topColour, accent, bottomColour, shoes;
    bool stripes;
    Place place;
};

// One entry a line reads as the table it is.
// clang-format off
const HeadDef kHeads[] = {
    {"c011ma_repo", "rotc", false, HairStyle::Short, {72, 44, 24}, {60, 100, 60}, false, Place::Loose},
    {"c006ma_boss", "boss", false, HairStyle::Cropped, {30, 28, 30}, {60, 40, 30}, false, Place::Loose},
    {"c005ma_hipster", "hips", false, HairStyle::Short, {130, 80, 36}, {50, 90, 150}, true, Place::Loose},
    {"c003ma_casual", "casu", false, HairStyle::Curly, {20, 16, 14}, {70, 45, 30}, false, Place::Indexed},
    {"c008ma_geek", "geek", false, HairStyle::Bald, {90, 70, 50}, {40, 80, 120}, true, Place::Archive},
    {"c012fa_bob", "bobh", true, HairStyle::Bob, {96, 56, 26}, {70, 110, 70}, false, Place::Loose},
    {"c025fa_curly", "curl", true, HairStyle::Long, {150, 52, 18}, {60, 120, 80}, false, Place::Loose},
    {"c020fa_pony", "pony", true, HairStyle::Pony, {22, 18, 16}, {80, 50, 30}, false, Place::Indexed},
    {"c036fa_cowg", "cowg", true, HairStyle::Hat, {210, 170, 90}, {60, 100, 160}, false, Place::Archive},
    {"c038fa_rave", "rave", true, HairStyle::Bob, {225, 60, 160}, {90, 60, 160}, false, Place::Archive},
};

constexpr Rgb kWhite{236, 236, 232};
constexpr Rgb kBlack{28, 28, 32};

const BodyDef kBodies[] = {
    {"b003mafit_01", "bmoc", false, Build::Fit, TopStyle::Tee, BottomStyle::Trousers, {40, 92, 178}, kWhite, {44, 46, 60}, {70, 44, 28}, false, Place::Loose},
    {"b004mafit_suit", "suit", false, Build::Fit, TopStyle::Suit, BottomStyle::Trousers, {34, 38, 70}, kWhite, {34, 38, 70}, kBlack, false, Place::Loose},
    {"b708mafit_ct", "ctop", false, Build::Fit, TopStyle::LongSleeves, BottomStyle::Trousers, {170, 30, 36}, kWhite, {60, 64, 80}, kBlack, false, Place::Loose},
    {"b003mafat_01", "bmoc", false, Build::Fat, TopStyle::Tee, BottomStyle::Trousers, {40, 92, 178}, kWhite, {44, 46, 60}, {70, 44, 28}, false, Place::Loose},
    {"b010mafat_casual", "casu", false, Build::Fat, TopStyle::Tee, BottomStyle::Trousers, {40, 130, 70}, {230, 220, 120}, {50, 80, 140}, {120, 90, 60}, true, Place::Indexed},
    {"b012maskn_tee", "teeo", false, Build::Skinny, TopStyle::Tank, BottomStyle::Shorts, {230, 120, 30}, kWhite, {170, 150, 100}, {200, 200, 200}, false, Place::Indexed},
    {"b001maskn_01", "bmoc", false, Build::Skinny, TopStyle::Tee, BottomStyle::Trousers, {90, 90, 90}, kWhite, {44, 46, 60}, kBlack, false, Place::Indexed},
    {"b008mafit_strokedd", "strk", false, Build::Fit, TopStyle::Tee, BottomStyle::Shorts, {200, 200, 40}, kBlack, {30, 30, 30}, kWhite, true, Place::Archive},
    {"b005fafit_dress", "drss", true, Build::Fit, TopStyle::Dress, BottomStyle::Skirt, {190, 32, 48}, {240, 200, 200}, {190, 32, 48}, {120, 20, 30}, false, Place::Loose},
    {"b713fafit_ct", "ctop", true, Build::Fit, TopStyle::Crop, BottomStyle::Trousers, {120, 50, 160}, kWhite, {50, 80, 140}, kWhite, false, Place::Loose},
    {"b003fafit_01", "bfoc", true, Build::Fit, TopStyle::Tee, BottomStyle::Trousers, {200, 90, 120}, kWhite, {44, 46, 60}, kBlack, false, Place::Loose},
    {"b010fafat_casual", "casu", true, Build::Fat, TopStyle::LongSleeves, BottomStyle::Trousers, {60, 150, 150}, kWhite, {70, 60, 60}, kBlack, false, Place::Indexed},
    {"b012faskn_tee", "teey", true, Build::Skinny, TopStyle::Tank, BottomStyle::Shorts, {240, 200, 40}, kWhite, {40, 60, 120}, kWhite, false, Place::Indexed},
    {"b003faskn_01", "bfoc", true, Build::Skinny, TopStyle::Tee, BottomStyle::Trousers, {200, 90, 120}, kWhite, {44, 46, 60}, kBlack, false, Place::Indexed},
    {"b717fafit_ct", "ctop", true, Build::Fit, TopStyle::Tee, BottomStyle::Skirt, {240, 210, 60}, {40, 40, 40}, {30, 30, 36}, kBlack, true, Place::Archive},
    {"b718fafit_ct", "ctop", true, Build::Fit, TopStyle::LongSleeves, BottomStyle::Trousers, {30, 150, 140}, kWhite, {230, 230, 220}, {150, 100, 60}, false, Place::Archive},
    {"h552mafit_dude", "dude", false, Build::Fit, TopStyle::Suit, BottomStyle::Trousers, kWhite, {30, 30, 30}, kWhite, kBlack, false, Place::Loose},
    {"h560mafat_club", "club", false, Build::Fat, TopStyle::LongSleeves, BottomStyle::Trousers, {20, 20, 24}, {200, 30, 200}, {20, 20, 24}, kBlack, true, Place::Indexed},
    {"h561maskn_club", "club", false, Build::Skinny, TopStyle::Tee, BottomStyle::Trousers, {200, 30, 200}, kBlack, {20, 20, 24}, kWhite, false, Place::Archive},
    {"h570fafit_gown", "gown", true, Build::Fit, TopStyle::Dress, BottomStyle::Skirt, {212, 170, 50}, {250, 240, 200}, {212, 170, 50}, {150, 110, 30}, false, Place::Loose},
    {"h571fafat_gown", "gown", true, Build::Fat, TopStyle::Dress, BottomStyle::Skirt, {20, 20, 60}, {200, 200, 255}, {20, 20, 60}, kBlack, false, Place::Indexed},
    {"h572faskn_gown", "gown", true, Build::Skinny, TopStyle::Dress, BottomStyle::Skirt, {30, 120, 60}, kWhite, {30, 120, 60}, kBlack, false, Place::Archive},
};
// clang-format on

const Skin kSkins[] = {Skin::Light, Skin::Medium, Skin::Dark};

constexpr const char* kArchivedAnimation = "a2o-idle-armscrossed-lookoff";

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

const char* buildCode(Build b) {
    return b == Build::Fit ? "Fit" : b == Build::Fat ? "Fat" : "Skn";
}

// Renamed copies for --scale: another (four-digit) number, the copy's number after the suffix.
struct Naming {
    std::string outfit;
    std::string textureStem;  // the texture name without its skin code and suffix
    std::string textureSuffix;
};

Naming headNaming(const HeadDef& h, int copy, int index) {
    std::string base = h.name;  // cNNNgg_suffix
    std::string number = base.substr(1, 3), gender = base.substr(4, 2), suffix = base.substr(7);
    std::string tex = h.texture;
    if (copy > 0) {
        number = std::to_string(1000 + copy * 10 + index);
        suffix += std::to_string(copy);
        tex += std::to_string(copy);
    }
    return {"c" + number + gender + "_" + suffix, "C" + number + gender, tex};
}

Naming bodyNaming(const BodyDef& b, int copy, int index) {
    std::string base = b.name;  // xNNNggbbb_suffix
    const char letter = base[0];
    std::string number = base.substr(1, 3), gender = base.substr(4, 2), build = base.substr(6, 3),
                suffix = base.substr(10);
    std::string tex = b.texture;
    if (copy > 0) {
        number = std::to_string(1000 + copy * 25 + index);
        suffix += std::to_string(copy);
        tex += std::to_string(copy);
    }
    return {std::string(1, letter) + number + gender + build + "_" + suffix,
            std::string(1, static_cast<char>(letter - 'a' + 'A')) + number + upper(gender) +
                buildCode(b.build),
            tex};
}

Rgb vary(Rgb c, int copy, int salt) {
    if (copy == 0) return c;
    // Rotate the channels' strengths a little per copy, keeping the colour recognisable.
    const int k = (copy * 37 + salt * 11) % 60 - 30;
    auto ch = [k](uint8_t v, int sign) {
        return static_cast<uint8_t>(std::clamp(static_cast<int>(v) + sign * k, 0, 255));
    };
    return {ch(c.r, 1), ch(c.g, -1), ch(c.b, (copy % 2) ? 1 : -1)};
}

class Writer {
  public:
    Writer(std::string dir, int scale) : dir_(std::move(dir)), scale_(scale) {}

    bool run(std::string* error);

  private:
    bool file(const std::string& relative, const std::vector<uint8_t>& bytes);
    // Stores a file at its place: loose on disk, or in the archive under Skins\.
    bool put(Place place, const std::string& name, std::vector<uint8_t> bytes,
             bool texture = false);
    bool writeHeads(int copy);
    bool writeBodies(int copy);
    bool writeHands();
    bool writeAnimations(int copy);
    bool writeOutfit(Place place, const character::Outfit& outfit);

    std::string dir_;
    int scale_;
    std::string failure_;
    std::vector<FarFile> archive_;
    character::CharacterFile indexed_;  // binary outfits of GameData\Animation
    character::IndexFile index_;
    int indexedFiles_ = 0;
};

bool Writer::file(const std::string& relative, const std::vector<uint8_t>& bytes) {
    std::filesystem::path p = std::filesystem::path(dir_) / relative;
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    platform::FileSink sink(p.string());
    sink.write(bytes.data(), bytes.size());
    if (ec || !sink.close()) {
        failure_ = "cannot write " + p.string();
        return false;
    }
    return true;
}

bool Writer::put(Place place, const std::string& name, std::vector<uint8_t> bytes, bool texture) {
    switch (place) {
        case Place::Loose:
            return file("GameData/Skins/" + name, bytes);
        case Place::Indexed:
            return file((texture ? "GameData/Textures/" : "GameData/Animation/") + name, bytes);
        case Place::Archive:
            archive_.push_back({"Skins\\" + name, std::move(bytes)});
            return true;
    }
    return false;
}

template <typename F>
std::vector<uint8_t> written(F&& write) {
    platform::VectorSink sink;
    if (!write(sink)) return {};
    return sink.take();
}

bool Writer::writeOutfit(Place place, const character::Outfit& outfit) {
    if (place == Place::Indexed) {
        indexed_.outfits.push_back(outfit);
        return true;
    }
    character::CharacterFile f;
    f.outfits.push_back(outfit);
    auto bytes =
        written([&](platform::ByteSink& s) { return writeCharacterFile(f, FileFormat::Text, s); });
    return !bytes.empty() && put(place, outfit.name + ".cmx", std::move(bytes));
}

character::Outfit outfitOf(const std::string& name, const std::string& bone,
                           const std::string& mesh) {
    character::Outfit o;
    o.name = name;
    character::SkinPart part;
    part.boneName = bone;
    part.meshName = mesh;
    part.censorFlags = 0;
    o.parts.push_back(part);
    return o;
}

bool Writer::writeHeads(int copy) {
    int index = 0;
    for (const HeadDef& h : kHeads) {
        const Naming n = headNaming(h, copy, index++);
        const std::string mesh = "xskin-" + n.outfit + "-HEAD-HEAD";
        HeadShape shape;
        shape.female = h.female;
        shape.hair = h.hair;
        if (copy > 0) {
            shape.width = 0.92f + 0.02f * static_cast<float>(copy % 8);
            shape.jaw = 0.7f + 0.08f * static_cast<float>(copy % 6);
        }
        const std::string defaultTexture = n.textureStem + "med_" + n.textureSuffix;
        const auto m = headMesh(mesh, defaultTexture, shape);
        const FileFormat format = h.place == Place::Loose ? FileFormat::Text : FileFormat::Binary;
        auto meshBytes = written([&](platform::ByteSink& s) { return writeMesh(m, format, s); });
        if (meshBytes.empty() ||
            !put(h.place, mesh + (format == FileFormat::Text ? ".skn" : ".bmf"),
                 std::move(meshBytes)))
            return false;
        if (!writeOutfit(h.place, outfitOf(n.outfit, "HEAD", mesh))) return false;
        HeadStyle style;
        style.hair = h.hair;
        style.hairColour = vary(h.hairColour, copy, 1);
        style.eyeColour = vary(h.eyeColour, copy, 2);
        style.beard = h.beard;
        style.lipstick = h.female && copy % 2 == 0;
        for (Skin skin : kSkins) {
            auto img = paintHead(style, skin);
            auto bytes = written([&](platform::ByteSink& s) { return writeBmp24(img, s); });
            const std::string name =
                n.textureStem + skinCode(skin) + "_" + n.textureSuffix + ".bmp";
            if (bytes.empty() || !put(h.place, name, std::move(bytes), true)) return false;
        }
    }
    return true;
}

bool Writer::writeBodies(int copy) {
    int index = 0;
    for (const BodyDef& b : kBodies) {
        const Naming n = bodyNaming(b, copy, index++);
        const std::string mesh = "xskin-" + n.outfit + "-PELVIS-BODY";
        BodyShape shape;
        shape.female = b.female;
        shape.build = b.build;
        shape.skirt = b.top == TopStyle::Dress;
        if (copy > 0) shape.breadth = 0.92f + 0.025f * static_cast<float>(copy % 7);
        const std::string defaultTexture = n.textureStem + "med_" + n.textureSuffix;
        const auto m = bodyMesh(mesh, defaultTexture, shape);
        const FileFormat format = b.place == Place::Loose ? FileFormat::Text : FileFormat::Binary;
        auto meshBytes = written([&](platform::ByteSink& s) { return writeMesh(m, format, s); });
        if (meshBytes.empty() ||
            !put(b.place, mesh + (format == FileFormat::Text ? ".skn" : ".bmf"),
                 std::move(meshBytes)))
            return false;
        if (!writeOutfit(b.place, outfitOf(n.outfit, "PELVIS", mesh))) return false;
        BodyStyle style;
        style.top = b.top;
        style.bottom = b.bottom;
        style.topColour = vary(b.topColour, copy, 3);
        style.accent = b.accent;
        style.bottomColour = vary(b.bottomColour, copy, 4);
        style.shoeColour = b.shoes;
        style.stripes = b.stripes != (copy % 3 == 2);
        for (Skin skin : kSkins) {
            auto img = paintBody(style, skin);
            // Archived textures are run-length coded, the others plain.
            const auto compression =
                b.place == Place::Archive ? BmpCompression::Rle8 : BmpCompression::None;
            auto bytes =
                written([&](platform::ByteSink& s) { return writeBmp8(img, compression, s); });
            const std::string name =
                n.textureStem + skinCode(skin) + "_" + n.textureSuffix + ".bmp";
            if (bytes.empty() || !put(b.place, name, std::move(bytes), true)) return false;
        }
    }
    return true;
}

bool Writer::writeHands() {
    struct HandDef {
        const char* name;
        int side;
        bool female, child;
    };
    const HandDef hands[] = {{"hmlo", -1, false, false}, {"hmro", 1, false, false},
                             {"hflo", -1, true, false},  {"hfro", 1, true, false},
                             {"hulo", -1, false, true},  {"huro", 1, false, true}};
    character::CharacterFile f;
    for (const HandDef& h : hands) {
        const std::string bone = h.side < 0 ? "L_HAND" : "R_HAND";
        const std::string mesh = std::string("xskin-") + h.name + "-" + bone + "-HAND";
        auto m = handMesh(mesh, "huaomed", h.side, h.female, h.child);
        auto bytes =
            written([&](platform::ByteSink& s) { return writeMesh(m, FileFormat::Text, s); });
        if (bytes.empty() || !put(Place::Loose, mesh + ".skn", std::move(bytes))) return false;
        f.outfits.push_back(outfitOf(h.name, bone, mesh));
    }
    auto cmx =
        written([&](platform::ByteSink& s) { return writeCharacterFile(f, FileFormat::Text, s); });
    if (cmx.empty() || !put(Place::Loose, "hands.cmx", std::move(cmx))) return false;
    for (Skin skin : kSkins) {
        auto img = paintHands(skin);
        auto bytes =
            written([&](platform::ByteSink& s) { return writeBmp8(img, BmpCompression::Rle8, s); });
        if (bytes.empty() ||
            !put(Place::Loose, std::string("huao") + skinCode(skin) + ".bmp", std::move(bytes)))
            return false;
    }
    return true;
}

bool Writer::writeAnimations(int copy) {
    character::CharacterFile f;
    const std::string stem = copy == 0 ? "animations" : "animations" + std::to_string(copy);
    for (DemoAnimation& a : idleAnimations(copy)) {
        character::Animation& anim = a.animation;
        if (copy > 0) {
            anim.name += "-v" + std::to_string(copy);
            anim.keyframeStem = anim.name;
        }
        std::vector<uint8_t> keys;
        if (a.rawKeyframes)
            keys = written([&](platform::ByteSink& s) {
                return writeBin(anim.translations, anim.rotations, s);
            });
        else
            keys = written([&](platform::ByteSink& s) {
                return writeCfp(anim.translations, anim.rotations, s);
            });
        anim.translations.clear();
        anim.rotations.clear();
        const std::string keyName = anim.keyframeStem + (a.rawKeyframes ? ".bin" : ".cfp");
        if (copy == 0 && anim.name == kArchivedAnimation) {
            // One animation lives in the expansion archive as a text file, keyframes beside it:
            // it is read at start-up and found through the character folders.
            character::CharacterFile text;
            text.animations.push_back(anim);
            auto cmx = written([&](platform::ByteSink& s) {
                return writeCharacterFile(text, FileFormat::Text, s);
            });
            if (keys.empty() || cmx.empty()) return false;
            archive_.push_back({"Animations\\" + anim.name + ".cmx", std::move(cmx)});
            archive_.push_back({"Animations\\" + keyName, std::move(keys)});
            continue;
        }
        if (keys.empty() || !file("GameData/Animation/" + keyName, keys)) return false;
        index_.animations.push_back({anim.name, stem});
        f.animations.push_back(std::move(anim));
    }
    auto bcf = written(
        [&](platform::ByteSink& s) { return writeCharacterFile(f, FileFormat::Binary, s); });
    return !bcf.empty() && file("GameData/Animation/" + stem + ".bcf", bcf);
}

bool Writer::run(std::string* error) {
    character::CharacterFile skeleton;
    skeleton.skeletons.push_back(adultSkeleton());
    auto cmx = written(
        [&](platform::ByteSink& s) { return writeCharacterFile(skeleton, FileFormat::Text, s); });
    bool ok = !cmx.empty() && put(Place::Loose, "adult.cmx", std::move(cmx)) && writeHands();
    // Each step of the scale adds two renamed copies of everything but the skeleton and hands.
    const int copies = 2 * scale_ - 1;
    for (int copy = 0; ok && copy < copies; ++copy) {
        ok = writeHeads(copy) && writeBodies(copy) && writeAnimations(copy);
        // The binary outfits of each copy in a file of their own, named by the index.
        if (ok && !indexed_.outfits.empty()) {
            const std::string stem = "people" + std::to_string(++indexedFiles_);
            for (const auto& o : indexed_.outfits)
                index_.outfits.push_back({o.name, stem});
            auto bcf = written([&](platform::ByteSink& s) {
                return writeCharacterFile(indexed_, FileFormat::Binary, s);
            });
            ok = !bcf.empty() && file("GameData/Animation/" + stem + ".bcf", bcf);
            indexed_.outfits.clear();
        }
    }
    if (ok) {
        auto ndx = written([&](platform::ByteSink& s) { return writeIndexFile(index_, s); });
        ok = !ndx.empty() && file("GameData/Animation/animation.ndx", ndx);
    }
    if (ok) {
        auto far = written([&](platform::ByteSink& s) { return writeFar(archive_, s); });
        ok = !far.empty() && file("ExpansionPack3/ExpansionPack3.far", far);
    }
    if (!ok && error) *error = failure_.empty() ? "cannot encode the demo characters" : failure_;
    return ok;
}

}  // namespace

bool writeDemoCharacters(const std::string& dir, const DemoOptions& options, std::string* error) {
    Writer w(dir, options.scale < 1 ? 1 : options.scale);
    return w.run(error);
}

}  // namespace marquill::content
