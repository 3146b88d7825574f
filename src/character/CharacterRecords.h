#pragma once
// The records read from character files: skeletons, outfits, animations and skinned meshes.
// Bones are referred to by interned name ids (BoneNameTable), shared by every skeleton.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace marquill::character {

struct Vec3 {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vec3&) const = default;
};
struct Quat {
    float x = 0, y = 0, z = 0, w = 1;
    bool operator==(const Quat&) const = default;
};

// Key/value pairs, lower-cased on reading; a repeated key replaces the earlier value.
struct PropertyList {
    std::vector<std::pair<std::string, std::string>> pairs;
    void set(std::string key, std::string value);
    [[nodiscard]] const std::string* get(const std::string& key) const;
    [[nodiscard]] bool empty() const { return pairs.empty(); }
    bool operator==(const PropertyList&) const = default;
};

using PathList = std::shared_ptr<const std::vector<std::string>>;

struct Bone {
    std::string name;
    std::string parentName;  // a name that is no bone marks a root
    int nameId = -1;
    PropertyList properties;
    Vec3 translation;
    Quat rotation;
    int translateFlag = 1;
    int rotateFlag = 1;
    int blendFlag = 1;
    int wiggleAmount = 0;
    float wigglePower = 0;
    bool keyBone = false;
    // The tree, as indices into the skeleton's bones; -1 for none.
    int parent = -1;
    int firstChild = -1;
    int nextSibling = -1;
    // Posed state, written by animations and the pose update.
    Vec3 worldPosition;
    Quat worldRotation;
    std::array<float, 9> worldMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major
    int priority = -10000;  // of the animation that claims the bone; -10000 when none does
    uint32_t changeCount = 0;
    bool localChanged = true;  // the local transform changed since the last pose update
};

struct Skeleton {
    std::string name;
    std::vector<Bone> bones;  // file order
    int root = -1;
    bool changed = true;  // cleared by the pose update
    [[nodiscard]] int findBone(int nameId) const;
};

struct DeformableMesh;

struct SkinPart {
    std::string boneName;
    std::string meshName;
    int censorFlags = 0;
    PropertyList properties;
    std::shared_ptr<DeformableMesh> mesh;  // filled on first use
};

struct Outfit {
    std::string name;  // lower-cased
    int type = 0;
    PropertyList properties;
    std::vector<SkinPart> parts;
    PathList pathList;
};

struct TimeProperty {
    int32_t time = 0;  // milliseconds from the start of the animation
    PropertyList properties;
    bool operator==(const TimeProperty&) const = default;
};

struct BoneTrack {
    std::string boneName;
    int boneId = -1;
    int32_t frameCount = 0;
    float duration = 0;
    int32_t translationsUsed = 0;
    int32_t rotationsUsed = 0;
    int32_t translationOffset = 0;
    int32_t rotationOffset = 0;
    PropertyList properties;
    std::vector<TimeProperty> timeProperties;
};

struct Animation {
    std::string name;
    std::string keyframeStem;
    float duration = 0;
    float distance = 0;
    int32_t moving = 0;
    int32_t translationCount = 0;
    int32_t rotationCount = 0;
    std::vector<BoneTrack> tracks;
    std::vector<float> translations;  // translationCount x (x, y, z), once loaded
    std::vector<float> rotations;     // rotationCount x (x, y, z, w), once loaded
    bool keyframesLoaded = false;
    PathList pathList;
    int useCount = 0;  // running instances that play it
};

struct BoundingBox {
    Vec3 min{1e38f, 1e38f, 1e38f};
    Vec3 max{-1e38f, -1e38f, -1e38f};
    [[nodiscard]] bool valid() const { return min.x <= max.x; }
    void add(const Vec3& p);
};

struct MeshBinding {
    int32_t boneIndex = 0;  // into the mesh's bone names
    int32_t firstVertex = 0;
    int32_t vertexCount = 0;
    int32_t firstBlendedVertex = 0;  // counted from the first blended vertex
    int32_t blendedVertexCount = 0;
    BoundingBox box;  // of the binding's rest positions, in its bone's space
    bool operator==(const MeshBinding& o) const {
        return boneIndex == o.boneIndex && firstVertex == o.firstVertex &&
               vertexCount == o.vertexCount && firstBlendedVertex == o.firstBlendedVertex &&
               blendedVertexCount == o.blendedVertexCount;
    }
};

struct BlendPair {
    int32_t weight = 0;  // 0..32768: the blended vertex's share of the target
    int32_t target = 0;
    bool operator==(const BlendPair&) const = default;
};

struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    bool operator==(const MeshVertex&) const = default;
};

struct DeformableMesh {
    static constexpr size_t kMaxVertices = 65536;  // indices are drawn as 16 bits
    std::string name;
    std::string defaultTexture;
    std::vector<std::string> boneNames;  // distinct, first appearance order
    std::vector<int> boneIds;
    std::vector<std::array<int32_t, 3>> faces;
    std::vector<MeshBinding> bindings;
    std::vector<std::array<float, 2>> textureCoords;  // for the first N vertices
    std::vector<BlendPair> blends;                    // pair i mixes vertex N + i into its target
    std::vector<MeshVertex> vertices;
    BoundingBox box;
};

[[nodiscard]] bool isKeyBoneName(const std::string& name);

}  // namespace marquill::character
