#include "content/DemoSkeleton.h"

#include "content/DemoGeometry.h"

namespace marquill::content::demo {

const std::vector<JointDef>& adultJoints() {
    // Left is -x for a figure facing +z.
    static const std::vector<JointDef> joints = {
        {"PELVIS", "NULL", {0, 2.95f, 0}},
        {"SPINE", "PELVIS", {0, 3.25f, -0.02f}},
        {"SPINE1", "SPINE", {0, 3.72f, -0.03f}},
        {"SPINE2", "SPINE1", {0, 4.2f, -0.02f}},
        {"NECK", "SPINE2", {0, 4.68f, -0.03f}},
        {"HEAD", "NECK", {0, 4.98f, 0.0f}},
        {"L_CLAVICLE", "SPINE2", {-0.12f, 4.5f, 0.0f}},
        {"L_UPPERARM", "L_CLAVICLE", {-0.6f, 4.47f, -0.02f}},
        {"L_FOREARM", "L_UPPERARM", {-0.7f, 3.55f, -0.04f}},
        {"L_HAND", "L_FOREARM", {-0.74f, 2.72f, 0.02f}},
        {"R_CLAVICLE", "SPINE2", {0.12f, 4.5f, 0.0f}},
        {"R_UPPERARM", "R_CLAVICLE", {0.6f, 4.47f, -0.02f}},
        {"R_FOREARM", "R_UPPERARM", {0.7f, 3.55f, -0.04f}},
        {"R_HAND", "R_FOREARM", {0.74f, 2.72f, 0.02f}},
        {"L_THIGH", "PELVIS", {-0.3f, 2.82f, 0}},
        {"L_CALF", "L_THIGH", {-0.32f, 1.58f, 0.03f}},
        {"L_FOOT", "L_CALF", {-0.34f, 0.33f, -0.02f}},
        {"L_TOE0", "L_FOOT", {-0.36f, 0.07f, 0.5f}},
        {"R_THIGH", "PELVIS", {0.3f, 2.82f, 0}},
        {"R_CALF", "R_THIGH", {0.32f, 1.58f, 0.03f}},
        {"R_FOOT", "R_CALF", {0.34f, 0.33f, -0.02f}},
        {"R_TOE0", "R_FOOT", {0.36f, 0.07f, 0.5f}},
    };
    return joints;
}

const std::map<std::string, character::Vec3>& restPositions() {
    static const auto positions = [] {
        std::map<std::string, character::Vec3> m;
        for (const JointDef& j : adultJoints())
            m[j.name] = j.position;
        return m;
    }();
    return positions;
}

character::Skeleton adultSkeleton() {
    character::Skeleton s;
    s.name = "adult";
    const auto& rest = restPositions();
    for (const JointDef& j : adultJoints()) {
        character::Bone b;
        b.name = j.name;
        b.parentName = j.parent;
        auto parent = rest.find(j.parent);
        b.translation = parent == rest.end() ? j.position : j.position - parent->second;
        b.keyBone = character::isKeyBoneName(b.name);
        // Spine and limbs blend with a second animation; the root moves on its own.
        b.blendFlag = b.name == "PELVIS" ? 0 : 1;
        // Rotations are stored in the conjugate sense.
        if (b.name == "PELVIS") b.rotation = conjugate(rotY(kFacingDegrees));
        s.bones.push_back(b);
    }
    return s;
}

}  // namespace marquill::content::demo
