#include "content/DemoAnimations.h"

#include <cmath>
#include <functional>

#include "content/DemoPoser.h"
#include "content/DemoSkeleton.h"

namespace marquill::content::demo {
namespace {

constexpr float kFrameMs = 1000.0f / 30.0f;

using Motion = std::function<PoseTargets(float ms)>;

// Gesture size and tempo of a renamed copy.
struct Variation {
    float amount = 1.0f;
    float tempo = 1.0f;
};

// 0 at both ends, 1 in the middle stretch: in over `in`, out over `out` (fractions of 1).
float envelope(float f, float in, float out) {
    if (f < in) return smoothstep(f / in);
    if (f > 1 - out) return smoothstep((1 - f) / out);
    return 1;
}

// The three resting poses of the cycle.
PoseTargets armsDown() {
    PoseTargets p;
    p.left = restArm(-1);
    p.right = restArm(1);
    p.left.hand = p.left.hand + Vec3{0.03f, 0.06f, 0.06f};  // a slight bend at the elbows
    p.right.hand = p.right.hand + Vec3{-0.03f, 0.06f, 0.06f};
    return p;
}

PoseTargets handsOnHips() {
    PoseTargets p = armsDown();
    p.right.frame = "PELVIS";
    p.right.hand = {0.52f, 3.16f, 0.0f};
    p.right.pole = {1, 0.1f, -0.5f};
    p.right.handTurn = rotZ(55) * rotY(-10);
    p.left.frame = "PELVIS";
    p.left.hand = mirror(p.right.hand);
    p.left.pole = mirror(p.right.pole);
    p.left.handTurn = mirror(p.right.handTurn);
    p.spine2 = rotX(-3);
    return p;
}

PoseTargets armsCrossed() {
    PoseTargets p = armsDown();
    // Each hand tucks in beside the other arm.
    p.right.hand = {-0.5f, 3.9f, 0.36f};
    p.right.pole = {0.6f, -0.6f, -0.2f};
    p.right.handTurn = rotX(40);
    p.left.hand = {0.48f, 3.78f, 0.3f};
    p.left.pole = {-0.6f, -0.6f, -0.2f};
    p.left.handTurn = rotX(40);
    p.spine = rotX(-2);
    p.head = rotX(-3);
    return p;
}

Quat lerpRot(Quat a, Quat b, float t) {
    return slerp(a, b, t);
}
Vec3 lerpVec(Vec3 a, Vec3 b, float t) {
    return a + (b - a) * t;
}

ArmGoal blendArm(const ArmGoal& a, const ArmGoal& b, float t) {
    ArmGoal g = t < 0.5f ? a : b;
    // Goals in different frames: move through the model space of the rest pose.
    g.hand = lerpVec(a.hand, b.hand, t);
    g.pole = lerpVec(a.pole, b.pole, t);
    g.handTurn = lerpRot(a.handTurn, b.handTurn, t);
    return g;
}

PoseTargets blend(const PoseTargets& a, const PoseTargets& b, float t) {
    PoseTargets p;
    p.pelvisOffset = lerpVec(a.pelvisOffset, b.pelvisOffset, t);
    p.pelvis = lerpRot(a.pelvis, b.pelvis, t);
    p.spine = lerpRot(a.spine, b.spine, t);
    p.spine1 = lerpRot(a.spine1, b.spine1, t);
    p.spine2 = lerpRot(a.spine2, b.spine2, t);
    p.neck = lerpRot(a.neck, b.neck, t);
    p.head = lerpRot(a.head, b.head, t);
    p.leftClavicle = lerpRot(a.leftClavicle, b.leftClavicle, t);
    p.rightClavicle = lerpRot(a.rightClavicle, b.rightClavicle, t);
    p.left = blendArm(a.left, b.left, t);
    p.right = blendArm(a.right, b.right, t);
    return p;
}

// Breathing on top of any pose: the chest rises, the shoulders follow, the body sways a little.
PoseTargets breathe(PoseTargets p, float ms, float periodMs, float depth) {
    const float phase = std::sin(ms / periodMs * 2 * kPi);
    const float lift = (1 - std::cos(ms / periodMs * 2 * kPi)) / 2;  // 0 at the start
    p.spine1 = p.spine1 * rotX(-1.5f * depth * lift);
    p.spine2 = p.spine2 * rotX(-1.0f * depth * lift);
    p.leftClavicle = p.leftClavicle * rotZ(1.5f * depth * lift);
    p.rightClavicle = p.rightClavicle * rotZ(-1.5f * depth * lift);
    p.pelvisOffset = p.pelvisOffset + Vec3{0.006f * depth * phase * lift, 0.008f * depth * lift, 0};
    return p;
}

PoseTargets lookOff(PoseTargets p, float f, float amount) {
    const float e = envelope(f, 0.25f, 0.25f) * amount;
    p.neck = p.neck * rotY(-14 * e);
    p.head = p.head * rotY(-22 * e) * rotX(4 * e);
    return p;
}

PoseTargets shiftSide(PoseTargets p, float f, float amount) {
    const float e = std::sin(f * 2 * kPi) * envelope(f, 0.1f, 0.1f) * amount;
    p.pelvisOffset = p.pelvisOffset + Vec3{0.08f * e, -0.015f * std::fabs(e), 0};
    p.pelvis = p.pelvis * rotZ(4 * e);
    p.spine1 = p.spine1 * rotZ(-3 * e);
    p.head = p.head * rotZ(-2 * e);
    return p;
}

struct MotionDef {
    std::string name;
    float durationMs;
    Motion motion;
    // A "sound" event at this time, when not negative.
    int soundAtMs = -1;
    std::string sound;
    bool raw = false;  // keyframes stored uncompressed
};

std::vector<MotionDef> motions(Variation v) {
    const float a = v.amount;
    std::vector<MotionDef> out;
    auto add = [&](std::string name, float ms, Motion m) {
        out.push_back({std::move(name), ms * v.tempo, std::move(m)});
        return &out.back();
    };
    const float T = v.tempo;

    // The greeting: the right hand comes up and waves, then goes down again.
    MotionDef* hey = add("a2o-heyyou1", 2800, [=](float ms) {
        const float f = ms / (2800 * T);
        PoseTargets p = breathe(armsDown(), ms, 2800 * T, 1);
        const float up = envelope(f, 0.16f, 0.2f);
        const float wave = std::sin((f - 0.16f) / 0.64f * 3 * 2 * kPi) * (f > 0.16f && f < 0.8f);
        ArmGoal raised = p.right;
        raised.hand = Vec3{1.2f + 0.25f * wave * a, 5.3f, 0.3f};
        raised.pole = {1, -1, 0.1f};
        raised.handTurn = rotY(-70) * rotZ(-15 * wave * a);
        p.right = blendArm(p.right, raised, up);
        p.head = p.head * rotZ(5 * up) * rotY(6 * up);
        p.spine1 = p.spine1 * rotZ(-3 * up);
        return p;
    });
    hey->soundAtMs = static_cast<int>(400 * T);
    hey->sound = "vox_greet_heyyou.wav";

    for (int i = 1; i <= 8; ++i) {
        const float ms = (2400 + 300 * i) * T;
        add("a2o-idle" + std::to_string(i), ms / T, [=](float t) {
            const float f = t / ms;
            const float e = envelope(f, 0.2f, 0.25f) * a;
            PoseTargets p = breathe(armsDown(), t, ms, 1);
            switch (i) {
                case 1:
                    return shiftSide(p, f, a);
                case 2: {
                    const float turn = std::sin(f * 2 * kPi) * envelope(f, 0.05f, 0.05f) * a;
                    p.neck = p.neck * rotY(15 * turn);
                    p.head = p.head * rotY(25 * turn);
                    return p;
                }
                case 3: {  // rolls the shoulders
                    const float roll = std::sin(f * 4 * kPi) * e;
                    p.leftClavicle = p.leftClavicle * rotZ(6 * roll) * rotX(5 * roll);
                    p.rightClavicle = p.rightClavicle * rotZ(-6 * roll) * rotX(5 * roll);
                    p.head = p.head * rotX(-6 * e);
                    return p;
                }
                case 4: {  // looks at the watch on the left wrist
                    ArmGoal watch = p.left;
                    watch.hand = {-0.18f, 4.05f, 0.62f};
                    watch.pole = {-1, -0.4f, 0};
                    watch.handTurn = rotY(70);
                    p.left = blendArm(p.left, watch, e);
                    p.neck = p.neck * rotX(10 * e) * rotY(-8 * e);
                    p.head = p.head * rotX(16 * e) * rotY(-12 * e);
                    return p;
                }
                case 5: {  // rubs the back of the neck
                    ArmGoal rub = p.right;
                    rub.hand = Vec3{0.12f + 0.03f * std::sin(t / 140), 4.82f, -0.3f};
                    rub.pole = {1, 0.2f, 0.3f};
                    rub.handTurn = rotZ(60);
                    p.right = blendArm(p.right, rub, e);
                    p.head = p.head * rotX(-12 * e) * rotZ(-6 * e);
                    return p;
                }
                case 6: {  // hands clasped in front
                    ArmGoal l = p.left, r = p.right;
                    l.hand = {-0.1f, 2.95f, 0.42f};
                    l.pole = {-1, 0, -0.3f};
                    r.hand = {0.1f, 2.95f, 0.44f};
                    r.pole = {1, 0, -0.3f};
                    l.frame = r.frame = "PELVIS";
                    p.left = blendArm(p.left, l, e);
                    p.right = blendArm(p.right, r, e);
                    p.head = p.head * rotX(6 * e);
                    return p;
                }
                case 7: {  // a yawn and a stretch of the neck
                    p.neck = p.neck * rotX(-12 * e);
                    p.head = p.head * rotX(-16 * e);
                    p.spine2 = p.spine2 * rotX(-5 * e);
                    p.leftClavicle = p.leftClavicle * rotZ(-8 * e);
                    p.rightClavicle = p.rightClavicle * rotZ(8 * e);
                    return p;
                }
                default: {  // swings the arms
                    const float swing = std::sin(f * 6 * kPi) * e;
                    p.left.hand = p.left.hand + Vec3{0, 0.1f * std::fabs(swing), 0.35f * swing};
                    p.right.hand = p.right.hand + Vec3{0, 0.1f * std::fabs(swing), -0.35f * swing};
                    p.pelvis = p.pelvis * rotY(-4 * swing);
                    return p;
                }
            }
        });
    }
    add("a2o-idle-armsdown-fidget", 3000, [=](float t) {
        const float f = t / (3000 * T);
        const float e = envelope(f, 0.2f, 0.2f) * a;
        PoseTargets p = breathe(armsDown(), t, 3000 * T, 1);
        ArmGoal l = p.left, r = p.right;
        const float rub = std::sin(t / (90 * T));
        l.hand = {-0.06f, 3.05f, 0.45f};
        r.hand = {0.08f + 0.04f * rub, 3.08f + 0.02f * rub, 0.47f};
        l.pole = {-1, 0, -0.3f};
        r.pole = {1, 0, -0.3f};
        l.frame = r.frame = "PELVIS";
        p.left = blendArm(p.left, l, e);
        p.right = blendArm(p.right, r, e);
        p.head = p.head * rotX(10 * e);
        return p;
    });
    add("a2o-idle-armsdown-lookoff", 3200,
        [=](float t) { return lookOff(breathe(armsDown(), t, 3200 * T, 1), t / (3200 * T), a); });
    add("a2o-idle-armsdown-breathe", 3000,
        [=](float t) { return breathe(armsDown(), t, 3000 * T, 1.4f * a); });
    add("a2o-idle-transition-armsdown-handships", 1200, [=](float t) {
        return blend(armsDown(), handsOnHips(), smoothstep(t / (1200 * T)));
    })->raw = true;
    add("a2o-idle-handships-shiftside", 3400, [=](float t) {
        return shiftSide(breathe(handsOnHips(), t, 3400 * T, 1), t / (3400 * T), a);
    });
    add("a2o-idle-handships-lookoff", 3200, [=](float t) {
        return lookOff(breathe(handsOnHips(), t, 3200 * T, 1), t / (3200 * T), a);
    });
    add("a2o-idle-handships-breathe", 3000,
        [=](float t) { return breathe(handsOnHips(), t, 3000 * T, 1.4f * a); });
    add("a2o-idle-transition-handships-armscrossed", 1400, [=](float t) {
        return blend(handsOnHips(), armsCrossed(), smoothstep(t / (1400 * T)));
    })->raw = true;
    MotionDef* scratch = add("a2o-idle-armscrossed-scratchchin", 3600, [=](float t) {
        const float f = t / (3600 * T);
        const float e = envelope(f, 0.22f, 0.22f);
        PoseTargets p = breathe(armsCrossed(), t, 3600 * T, 1);
        ArmGoal chin = p.right;
        chin.hand = {0.1f, 4.66f + 0.03f * std::sin(t / (70 * T)) * a, 0.52f};
        chin.pole = {1, -1, 0.2f};
        chin.handTurn = rotX(-60) * rotY(-30);
        p.right = blendArm(p.right, chin, e);
        p.head = p.head * rotX(-8 * e) * rotY(10 * e);
        return p;
    });
    scratch->soundAtMs = static_cast<int>(1500 * T);
    scratch->sound = "vox_intrigued_hmm.wav";
    add("a2o-idle-armscrossed-lookoff", 3200, [=](float t) {
        return lookOff(breathe(armsCrossed(), t, 3200 * T, 1), t / (3200 * T), a);
    });
    add("a2o-idle-transition-armscrossed-armsdown", 1300, [=](float t) {
        return blend(armsCrossed(), armsDown(), smoothstep(t / (1300 * T)));
    })->raw = true;
    add("a2o-idle-armscrossed-breathe", 3000,
        [=](float t) { return breathe(armsCrossed(), t, 3000 * T, 1.4f * a); });
    return out;
}

character::Animation sample(const MotionDef& def) {
    character::Animation anim;
    anim.name = def.name;
    anim.keyframeStem = def.name;
    anim.duration = def.durationMs;
    const int frames = std::max(2, static_cast<int>(std::lround(def.durationMs / kFrameMs)) + 1);
    const auto& joints = adultJoints();
    std::vector<Pose> poses;
    for (int i = 0; i < frames; ++i)
        poses.push_back(solvePose(def.motion(def.durationMs * i / (frames - 1))));
    // One track per bone; the root also moves.
    int rotationOffset = 0;
    for (const JointDef& j : joints) {
        character::BoneTrack t;
        t.boneName = j.name;
        t.frameCount = frames;
        t.duration = def.durationMs;
        t.rotationsUsed = 1;
        t.rotationOffset = rotationOffset;
        rotationOffset += frames;
        for (const Pose& p : poses) {
            // Stored in the conjugate sense: the pose applies the conjugate of the stored value.
            Quat q = conjugate(p.local.at(j.name));
            anim.rotations.insert(anim.rotations.end(), {q.x, q.y, q.z, q.w});
        }
        if (std::string(j.name) == "PELVIS") {
            t.translationsUsed = 1;
            t.translationOffset = 0;
            for (const Pose& p : poses)
                anim.translations.insert(
                    anim.translations.end(),
                    {p.rootTranslation.x, p.rootTranslation.y, p.rootTranslation.z});
        }
        if (def.soundAtMs >= 0 && std::string(j.name) == "HEAD") {
            character::PropertyList props;
            props.set("sound", def.sound);
            t.timeProperties.push_back({def.soundAtMs, props});
        }
        anim.tracks.push_back(std::move(t));
    }
    anim.translationCount = static_cast<int32_t>(anim.translations.size() / 3);
    anim.rotationCount = static_cast<int32_t>(anim.rotations.size() / 4);
    anim.keyframesLoaded = true;
    return anim;
}

}  // namespace

const std::vector<std::string>& idleAnimationNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const MotionDef& s : motions({}))
            n.push_back(s.name);
        return n;
    }();
    return names;
}

std::vector<DemoAnimation> idleAnimations(int variation) {
    Variation v;
    if (variation > 0) {
        v.amount = 0.6f + 0.1f * static_cast<float>(variation % 9);
        v.tempo = 0.8f + 0.05f * static_cast<float>(variation % 7);
    }
    std::vector<DemoAnimation> out;
    for (const MotionDef& s : motions(v))
        out.push_back({sample(s), s.raw});
    return out;
}

}  // namespace marquill::content::demo
