#pragma once
// Poses for the demo skeleton: spine, neck and head by local rotations, arms by where the hands
// should be (two-bone reach with an elbow direction), feet kept planted. The result is every
// bone's local rotation and the root's translation, as the keyframe tracks store them.
#include <map>
#include <string>

#include "content/DemoGeometry.h"

namespace marquill::content::demo {

struct ArmGoal {
    Vec3 hand;            // the wrist, given in the rest space of `frame` (model coordinates)
    Vec3 pole{0, 0, -1};  // where the elbow points
    std::string frame = "SPINE2";
    Quat handTurn;  // the hand's own rotation after following the forearm
};

struct PoseTargets {
    Vec3 pelvisOffset;
    Quat pelvis, spine, spine1, spine2, neck, head, leftClavicle, rightClavicle;
    ArmGoal left, right;
};

struct Pose {
    std::map<std::string, Quat> local;  // per bone, the rotation as applied (not as stored)
    Vec3 rootTranslation;
    std::map<std::string, Vec3> world;  // joint positions, for checks
};

[[nodiscard]] Pose solvePose(const PoseTargets& targets);
// The goal that leaves an arm hanging at rest (side -1 left, +1 right).
[[nodiscard]] ArmGoal restArm(int side);
// Mirrors a rotation across the body's middle plane (x -> -x).
[[nodiscard]] Quat mirror(Quat q);
[[nodiscard]] Vec3 mirror(Vec3 v);

}  // namespace marquill::content::demo
