#include "content/DemoPoser.h"

#include <algorithm>
#include <cmath>

#include "content/DemoSkeleton.h"

namespace marquill::content::demo {
namespace {

// The smallest rotation taking direction a onto direction b.
Quat fromTo(Vec3 a, Vec3 b) {
    a = normalised(a);
    b = normalised(b);
    const float d = dot(a, b);
    if (d < -0.9999f) {
        Vec3 axis = std::fabs(a.x) < 0.9f ? cross(a, {1, 0, 0}) : cross(a, {0, 1, 0});
        return axisAngle(axis, 180);
    }
    Vec3 c = cross(a, b);
    return normalisedQuat({c.x, c.y, c.z, 1 + d});
}

Vec3 rest(const std::string& bone) {
    return restPositions().at(bone);
}

// Two-bone reach: the elbow (or knee) for a chain from s towards h.
Vec3 reach(Vec3 s, Vec3 h, float l1, float l2, Vec3 pole) {
    Vec3 to = h - s;
    float d = std::sqrt(dot(to, to));
    d = std::clamp(d, std::fabs(l1 - l2) + 1e-3f, l1 + l2 - 1e-4f);
    Vec3 n = normalised(to);
    float a = (l1 * l1 - l2 * l2 + d * d) / (2 * d);
    float hgt = std::sqrt(std::max(0.0f, l1 * l1 - a * a));
    Vec3 p = pole - n * dot(pole, n);
    p = dot(p, p) > 1e-8f ? normalised(p) : Vec3{0, 0, -1};
    return s + n * a + p * hgt;
}

float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

struct Solver {
    Pose pose;
    std::map<std::string, Quat> worldRot;

    void place(const std::string& bone, const std::string& parent, Quat local) {
        const Quat& pw = worldRot.at(parent);
        pose.world[bone] = pose.world.at(parent) + rotate(pw, rest(bone) - rest(parent));
        worldRot[bone] = pw * local;
        pose.local[bone] = local;
    }
    Vec3 inFrame(const std::string& frame, Vec3 restPoint) {
        return pose.world.at(frame) + rotate(worldRot.at(frame), restPoint - rest(frame));
    }
    // Bends a two-bone chain (a, b, then the end joint c) so that c lands on `target`.
    void chain(const std::string& parent, const std::string& a, const std::string& b,
               const std::string& c, Vec3 target, Vec3 pole, Quat endTurn) {
        const Vec3 s = pose.world[a] =
            pose.world.at(parent) + rotate(worldRot.at(parent), rest(a) - rest(parent));
        const Vec3 restAB = rest(b) - rest(a), restBC = rest(c) - rest(b);
        const Vec3 e = reach(s, target, length(restAB), length(restBC), pole);
        const Quat wa = fromTo(restAB, e - s);
        pose.local[a] = conjugate(worldRot.at(parent)) * wa;
        worldRot[a] = wa;
        pose.world[b] = s + rotate(wa, restAB);
        // The lower bone turns from where the upper one carried it, so the twist stays small.
        const Vec3 carried = rotate(wa, restBC);
        const Quat wb = fromTo(carried, target - pose.world[b]) * wa;
        pose.local[b] = conjugate(wa) * wb;
        worldRot[b] = wb;
        pose.world[c] = pose.world[b] + rotate(wb, restBC);
        worldRot[c] = wb * endTurn;
        pose.local[c] = endTurn;
    }
};

}  // namespace

Quat mirror(Quat q) {
    return {q.x, -q.y, -q.z, q.w};
}
Vec3 mirror(Vec3 v) {
    return {-v.x, v.y, v.z};
}

ArmGoal restArm(int side) {
    ArmGoal g;
    g.hand = side < 0 ? rest("L_HAND") : rest("R_HAND");
    g.pole = {static_cast<float>(side) * 0.3f, 0, -1};
    return g;
}

Pose solvePose(const PoseTargets& targets) {
    Solver s;
    // The root carries the figure's turn towards the camera; the pelvis moves in its frame.
    const Quat facing = rotY(kFacingDegrees);
    s.pose.rootTranslation = rest("PELVIS") + rotate(facing, targets.pelvisOffset);
    s.pose.world["PELVIS"] = s.pose.rootTranslation;
    s.worldRot["PELVIS"] = facing * targets.pelvis;
    s.pose.local["PELVIS"] = facing * targets.pelvis;
    s.place("SPINE", "PELVIS", targets.spine);
    s.place("SPINE1", "SPINE", targets.spine1);
    s.place("SPINE2", "SPINE1", targets.spine2);
    s.place("NECK", "SPINE2", targets.neck);
    s.place("HEAD", "NECK", targets.head);
    s.place("L_CLAVICLE", "SPINE2", targets.leftClavicle);
    s.place("R_CLAVICLE", "SPINE2", targets.rightClavicle);
    for (int side : {-1, 1}) {
        const ArmGoal& g = side < 0 ? targets.left : targets.right;
        const std::string p = side < 0 ? "L_" : "R_";
        const Vec3 target = s.inFrame(g.frame, g.hand);
        const Vec3 pole = rotate(s.worldRot.at(g.frame), g.pole);
        s.chain(p + "CLAVICLE", p + "UPPERARM", p + "FOREARM", p + "HAND", target, pole,
                g.handTurn);
    }
    for (const char* p : {"L_", "R_"}) {
        const std::string side = p;
        // Feet stay where they stand, flat on the ground, knees forward.
        s.chain("PELVIS", side + "THIGH", side + "CALF", side + "FOOT",
                rotate(facing, rest(side + "FOOT")), rotate(facing, {0, 0, 1}), Quat{});
        const Quat calf = s.worldRot.at(side + "CALF");
        s.pose.local[side + "FOOT"] = conjugate(calf) * facing;
        s.worldRot[side + "FOOT"] = facing;
        s.place(side + "TOE0", side + "FOOT", Quat{});
    }
    return s.pose;
}

}  // namespace marquill::content::demo
