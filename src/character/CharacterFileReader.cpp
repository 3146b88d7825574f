#include "character/CharacterFileReader.h"

namespace marquill::character {
namespace {

// Optional sections are a flag: non-zero, then the section.
std::optional<PropertyList> optionalProperties(FieldSource& in) {
    auto has = in.integer();
    if (!has) return std::nullopt;
    if (*has == 0) return PropertyList{};
    return readPropertyList(in);
}

std::optional<Bone> readBone(FieldSource& in) {
    Bone b;
    auto name = in.text(kStringLimit);
    auto parent = name ? in.text(kStringLimit) : std::nullopt;
    if (!parent) return std::nullopt;
    b.name = std::move(*name);
    b.parentName = std::move(*parent);
    auto props = optionalProperties(in);
    if (!props) return std::nullopt;
    b.properties = std::move(*props);
    auto t = in.vector();
    auto r = t ? in.rotation() : std::nullopt;
    if (!r) return std::nullopt;
    b.translation = *t;
    b.rotation = *r;
    auto tf = in.integer();
    auto rf = tf ? in.integer() : std::nullopt;
    auto bf = rf ? in.integer() : std::nullopt;
    auto wa = bf ? in.integer() : std::nullopt;
    auto wp = wa ? in.real() : std::nullopt;
    if (!wp) return std::nullopt;
    b.translateFlag = *tf;
    b.rotateFlag = *rf;
    b.blendFlag = *bf;
    b.wiggleAmount = *wa;
    b.wigglePower = *wp;
    b.keyBone = isKeyBoneName(b.name);
    return b;
}

std::optional<Skeleton> readSkeleton(FieldSource& in, BoneNameTable& names) {
    Skeleton s;
    auto name = in.text(kStringLimit);
    auto count = name ? in.integer() : std::nullopt;
    if (!count || *count < 0) return std::nullopt;
    s.name = std::move(*name);
    for (int32_t i = 0; i < *count; ++i) {
        auto bone = readBone(in);
        if (!bone) return std::nullopt;
        bone->nameId = names.intern(bone->name);
        const int index = static_cast<int>(s.bones.size());
        int parent = -1;
        for (int j = 0; j < index; ++j) {
            if (s.bones[static_cast<size_t>(j)].name == bone->parentName) {
                parent = j;
                break;
            }
        }
        if (index == 0) {
            s.root = 0;
        } else if (parent >= 0) {
            bone->parent = parent;
            bone->nextSibling = s.bones[static_cast<size_t>(parent)].firstChild;
            s.bones[static_cast<size_t>(parent)].firstChild = index;
        } else {
            bone->nextSibling = s.root;
            s.root = index;
        }
        s.bones.push_back(std::move(*bone));
    }
    return s;
}

std::optional<SkinPart> readSkinPart(FieldSource& in) {
    SkinPart p;
    auto bone = in.text(kStringLimit);
    auto mesh = bone ? in.text(kStringLimit) : std::nullopt;
    auto censor = mesh ? in.integer() : std::nullopt;
    auto props = censor ? optionalProperties(in) : std::nullopt;
    if (!props) return std::nullopt;
    p.boneName = std::move(*bone);
    p.meshName = std::move(*mesh);
    p.censorFlags = *censor;
    p.properties = std::move(*props);
    return p;
}

std::optional<Outfit> readOutfit(FieldSource& in) {
    Outfit o;
    auto name = in.text(kStringLimit);
    auto type = name ? in.integer() : std::nullopt;
    auto props = type ? optionalProperties(in) : std::nullopt;
    auto count = props ? in.integer() : std::nullopt;
    if (!count || *count < 0) return std::nullopt;
    o.name = lowerAscii(std::move(*name));
    o.type = *type;
    o.properties = std::move(*props);
    for (int32_t i = 0; i < *count; ++i) {
        auto part = readSkinPart(in);
        if (!part) return std::nullopt;
        o.parts.push_back(std::move(*part));
    }
    return o;
}

// A track's keyframes must lie inside the animation's arrays, or sampling would read past them.
bool trackFits(int32_t used, int32_t offset, int32_t frames, int32_t count) {
    if (!used) return true;
    return offset >= 0 && frames >= 0 && int64_t{offset} + frames <= count;
}

std::optional<BoneTrack> readTrack(FieldSource& in, const Animation& a, BoneNameTable& names) {
    BoneTrack t;
    auto bone = in.text(kStringLimit);
    auto frames = bone ? in.integer() : std::nullopt;
    auto duration = frames ? in.real() : std::nullopt;
    auto tu = duration ? in.integer() : std::nullopt;
    auto ru = tu ? in.integer() : std::nullopt;
    auto to = ru ? in.integer() : std::nullopt;
    auto ro = to ? in.integer() : std::nullopt;
    auto props = ro ? optionalProperties(in) : std::nullopt;
    auto hasTime = props ? in.integer() : std::nullopt;
    if (!hasTime || *frames < 0) return std::nullopt;
    if (!trackFits(*tu, *to, *frames, a.translationCount) ||
        !trackFits(*ru, *ro, *frames, a.rotationCount))
        return std::nullopt;
    t.boneName = std::move(*bone);
    t.boneId = names.intern(t.boneName);
    t.frameCount = *frames;
    t.duration = *duration;
    t.translationsUsed = *tu;
    t.rotationsUsed = *ru;
    t.translationOffset = *to;
    t.rotationOffset = *ro;
    t.properties = std::move(*props);
    if (*hasTime != 0) {
        auto count = in.integer();
        if (!count || *count < 0) return std::nullopt;
        for (int32_t i = 0; i < *count; ++i) {
            auto time = in.integer();
            auto list = time ? readPropertyList(in) : std::nullopt;
            if (!list) return std::nullopt;
            t.timeProperties.push_back({*time, std::move(*list)});
        }
    }
    return t;
}

std::optional<Animation> readAnimation(FieldSource& in, BoneNameTable& names) {
    Animation a;
    auto name = in.text(kStringLimit);
    auto stem = name ? in.text(kStringLimit) : std::nullopt;
    auto duration = stem ? in.real() : std::nullopt;
    auto distance = duration ? in.real() : std::nullopt;
    auto moving = distance ? in.integer() : std::nullopt;
    auto tc = moving ? in.integer() : std::nullopt;
    auto rc = tc ? in.integer() : std::nullopt;
    auto count = rc ? in.integer() : std::nullopt;
    if (!count || *count < 0 || *tc < 0 || *rc < 0) return std::nullopt;
    a.name = in.format() == FileFormat::Text ? lowerAscii(std::move(*name)) : std::move(*name);
    a.keyframeStem = std::move(*stem);
    a.duration = *duration;
    a.distance = *distance;
    a.moving = *moving;
    a.translationCount = *tc;
    a.rotationCount = *rc;
    for (int32_t i = 0; i < *count; ++i) {
        auto track = readTrack(in, a, names);
        if (!track) return std::nullopt;
        a.tracks.push_back(std::move(*track));
    }
    return a;
}

}  // namespace

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::optional<PropertyList> readPropertyList(FieldSource& in) {
    auto count = in.integer();
    if (!count || *count < 0) return std::nullopt;
    PropertyList list;
    for (int32_t i = 0; i < *count; ++i) {
        auto key = in.text(kStringLimit);
        auto value = key ? in.text(kStringLimit) : std::nullopt;
        if (!value) return std::nullopt;
        list.set(lowerAscii(std::move(*key)), lowerAscii(std::move(*value)));
    }
    return list;
}

CharacterFile readCharacterFile(std::span<const uint8_t> bytes, FileFormat format,
                                BoneNameTable& boneNames) {
    CharacterFile out;
    TextFieldSource text(bytes);
    BinaryFieldSource binary(bytes);
    FieldSource* in = &binary;
    if (format == FileFormat::Text) {
        if (!text.skipLine() || !text.skipLine()) return out;
        in = &text;
    }
    auto count = in->integer();
    if (!count || *count < 0) return out;
    for (int32_t i = 0; i < *count; ++i) {
        auto s = readSkeleton(*in, boneNames);
        if (!s) return out;
        out.skeletons.push_back(std::move(*s));
    }
    count = in->integer();
    if (!count || *count < 0) return out;
    for (int32_t i = 0; i < *count; ++i) {
        auto o = readOutfit(*in);
        if (!o) return out;
        out.outfits.push_back(std::move(*o));
    }
    count = in->integer();
    if (!count || *count < 0) return out;
    for (int32_t i = 0; i < *count; ++i) {
        auto a = readAnimation(*in, boneNames);
        if (!a) return out;
        out.animations.push_back(std::move(*a));
    }
    out.complete = true;
    return out;
}

}  // namespace marquill::character
