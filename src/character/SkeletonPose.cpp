#include "character/SkeletonPose.h"

#include "character/QuatMath.h"

namespace marquill::character {

namespace {

bool anyLocalChange(const Skeleton& skeleton) {
    for (const Bone& bone : skeleton.bones)
        if (bone.localChanged) return true;
    return false;
}

// The next bone in pre-order below the root, or -1 at the end: children first, then the next
// sibling, then the next sibling of the nearest ancestor that has one. Walking the links instead
// of recursing keeps the update free of allocation and safe on very deep chains.
int nextInPreOrder(const std::vector<Bone>& bones, int index, int root) {
    const Bone& bone = bones[static_cast<size_t>(index)];
    if (bone.firstChild >= 0) return bone.firstChild;
    while (index != root) {
        const Bone& b = bones[static_cast<size_t>(index)];
        if (b.nextSibling >= 0) return b.nextSibling;
        index = b.parent;
        if (index < 0) return -1;
    }
    return -1;
}

}  // namespace

void updatePose(Skeleton& skeleton) {
    auto& bones = skeleton.bones;
    const int root = skeleton.root;
    if (root < 0 || static_cast<size_t>(root) >= bones.size()) {
        skeleton.changed = false;
        return;
    }
    if (!skeleton.changed && !anyLocalChange(skeleton)) return;

    // During the walk `localChanged` marks the bones posed in this pass: a parent is always
    // visited before its children, so a child inherits its parent's mark.
    const bool all = skeleton.changed;
    for (int index = root; index >= 0; index = nextInPreOrder(bones, index, root)) {
        Bone& bone = bones[static_cast<size_t>(index)];
        const Bone* parent =
            index == root || bone.parent < 0 ? nullptr : &bones[static_cast<size_t>(bone.parent)];
        const bool dirty = all || bone.localChanged || (parent && parent->localChanged);
        if (!dirty) continue;
        bone.localChanged = true;
        if (parent) {
            const Vec3 offset = rotate(rotationMatrix(parent->worldRotation), bone.translation);
            bone.worldPosition = {parent->worldPosition.x + offset.x,
                                  parent->worldPosition.y + offset.y,
                                  parent->worldPosition.z + offset.z};
            bone.worldRotation = hamilton(parent->worldRotation, conjugate(bone.rotation));
        } else {
            bone.worldPosition = bone.translation;
            bone.worldRotation = conjugate(bone.rotation);
        }
        const auto m = rotationMatrix(bone.worldRotation);
        bone.worldMatrix = {m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]};
        ++bone.changeCount;
    }
    for (Bone& bone : bones)
        bone.localChanged = false;
    skeleton.changed = false;
}

}  // namespace marquill::character
