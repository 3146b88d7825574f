#include "content/DemoFigure.h"

#include <cmath>
#include <span>

namespace marquill::content::demo {
namespace {

constexpr int kHalf = 16384;

float gauss(float x, float width) {
    return std::exp(-(x * x) / (width * width));
}

struct TorsoRow {
    float y, halfWidth, halfDepth, z;
    const char* bone;
    const char* blendBone;
    int weight;
};

void addTorso(MeshBuilder& mb, const BodyShape& s) {
    const bool f = s.female;
    const float fat = s.build == Build::Fat ? 1.0f : 0.0f;
    const float thin = s.build == Build::Skinny ? 1.0f : 0.0f;
    const float w = s.breadth * (1 + 0.16f * fat - 0.1f * thin);
    const float d = s.breadth * (1 + 0.3f * fat - 0.1f * thin);
    const float belly = 1 + 0.2f * fat;
    // From the neck down: y, half width, half depth, z of the centre.
    const TorsoRow rows[] = {
        {5.06f, 0.13f, 0.12f, 0.0f, "HEAD", nullptr, 0},
        {4.93f, 0.14f, 0.13f, 0.0f, "NECK", "HEAD", kHalf},
        {4.76f, 0.15f, 0.14f, -0.01f, "NECK", nullptr, 0},
        {4.66f, f ? 0.26f : 0.3f, 0.17f, -0.02f, "NECK", "SPINE2", kHalf},
        {4.58f, f ? 0.44f : 0.5f, 0.22f, -0.02f, "SPINE2", nullptr, 0},
        {4.46f, f ? 0.52f : 0.6f, 0.26f, -0.02f, "SPINE2", nullptr, 0},
        {4.24f, f ? 0.5f : 0.58f, 0.3f, 0.0f, "SPINE2", "SPINE1", 10000},
        {4.0f, f ? 0.46f : 0.54f, f ? 0.29f : 0.31f, 0.0f, "SPINE1", nullptr, 0},
        {3.7f, f ? 0.4f : 0.48f, 0.28f * belly, 0.01f * belly, "SPINE1", "SPINE", kHalf},
        {3.38f, f ? 0.37f : 0.44f, 0.27f * belly, 0.02f * belly, "SPINE", nullptr, 0},
        {3.08f, f ? 0.48f : 0.47f, 0.29f * belly, 0.01f, "PELVIS", "SPINE", 12000},
        {2.82f, f ? 0.55f : 0.5f, 0.31f, -0.01f, "PELVIS", nullptr, 0},
        {2.6f, f ? 0.46f : 0.42f, 0.28f, -0.01f, "PELVIS", nullptr, 0},
    };
    std::vector<Ring> rings;
    const size_t n = std::size(rows);
    // Texture rows: the neck takes the first kNeckEnd, the rest follows the height.
    for (size_t i = 0; i < n; ++i) {
        const TorsoRow& r = rows[i];
        Ring ring;
        ring.centre = {0, r.y, r.z};
        const bool neck = i < 3;
        ring.r1 = neck ? r.halfWidth : r.halfWidth * w;
        ring.r2 = neck ? r.halfDepth : r.halfDepth * d;
        ring.t = i < 3 ? layout::kNeckEnd * static_cast<float>(i) / 3
                       : layout::kNeckEnd + (1 - layout::kNeckEnd) * (4.66f - r.y) / (4.66f - 2.6f);
        ring.bone = r.bone;
        if (r.blendBone) ring.blendBone = r.blendBone;
        ring.blendWeight = r.weight;
        rings.push_back(ring);
    }
    auto shape = [&](Vec3 p, Vec3 out, float angle, size_t ring) {
        const float y = rows[ring].y;
        const float front = std::cos(angle);
        // Chest or bust in front, shoulder blades and seat behind, a belly for the full figure.
        if (f) {
            float bust = gauss(y - 4.0f, 0.2f) * 0.11f;
            float sideways = std::sin(angle);
            p = p +
                Vec3{0, 0, 1} * (bust * std::max(0.0f, front) *
                                 (gauss(sideways - 0.45f, 0.35f) + gauss(sideways + 0.45f, 0.35f)));
        } else {
            p = p + Vec3{0, 0, 1} * (gauss(y - 4.05f, 0.22f) * 0.04f * std::max(0.0f, front));
        }
        p = p + Vec3{0, 0, -1} * (gauss(y - 2.82f, 0.18f) * 0.05f * std::max(0.0f, -front));
        p = p + Vec3{0, 0, 1} * (fat * gauss(y - 3.4f, 0.35f) * 0.14f * std::max(0.0f, front));
        (void)out;
        return p;
    };
    mb.tube(rings, 20, layout::kTorso, true, true, shape);
}

// One ring of a limb: its centre on the right side (x is mirrored for the left), its two radii,
// its texture row, the bone it follows and the bone it blends into at the joint.
struct LimbRow {
    float x, y, z, r1, r2, t;
    const char* bone;
    const char* blend;
    int weight;
};

std::vector<Ring> limbRings(std::span<const LimbRow> rows, float side, float scale1, float scale2) {
    std::vector<Ring> rings;
    for (const LimbRow& r : rows) {
        Ring ring;
        ring.centre = {side * r.x, r.y, r.z};
        ring.r1 = r.r1 * scale1;
        ring.r2 = r.r2 * scale2;
        ring.t = r.t;
        ring.bone = r.bone;
        if (r.blend) ring.blendBone = r.blend;
        ring.blendWeight = r.weight;
        rings.push_back(ring);
    }
    return rings;
}

// How much thicker or thinner a limb is than the fit male one.
float limbScale(const BodyShape& s, float female, float fat, float skinny) {
    const float build = s.build == Build::Fat ? fat : s.build == Build::Skinny ? skinny : 1.0f;
    return (s.female ? female : 1.0f) * build;
}

void addArm(MeshBuilder& mb, const BodyShape& s, int side) {
    const char* upper = side < 0 ? "L_UPPERARM" : "R_UPPERARM";
    const char* fore = side < 0 ? "L_FOREARM" : "R_FOREARM";
    const char* hand = side < 0 ? "L_HAND" : "R_HAND";
    const float k = limbScale(s, 0.86f, 1.2f, 0.88f);
    const float x = static_cast<float>(side);
    const LimbRow rows[] = {
        {0.54f, 4.5f, -0.02f, 0.15f, 0.16f, 0.0f, upper, "SPINE2", 12000},
        {0.61f, 4.3f, -0.02f, 0.165f, 0.17f, 0.1f, upper, nullptr, 0},
        {0.65f, 3.95f, -0.03f, 0.145f, 0.15f, 0.3f, upper, nullptr, 0},
        {0.7f, 3.56f, -0.04f, 0.12f, 0.125f, 0.5f, upper, fore, kHalf},
        {0.71f, 3.3f, -0.03f, 0.125f, 0.13f, 0.62f, fore, nullptr, 0},
        {0.73f, 2.98f, -0.0f, 0.1f, 0.1f, 0.82f, fore, nullptr, 0},
        {0.74f, 2.76f, 0.02f, 0.075f, 0.07f, 1.0f, fore, hand, kHalf},
    };
    std::vector<Ring> rings = limbRings(rows, x, k, k);
    mb.tube(rings, 12, side < 0 ? layout::kLeftArm : layout::kRightArm, true, true);
}

void addLeg(MeshBuilder& mb, const BodyShape& s, int side) {
    const char* thigh = side < 0 ? "L_THIGH" : "R_THIGH";
    const char* calf = side < 0 ? "L_CALF" : "R_CALF";
    const char* foot = side < 0 ? "L_FOOT" : "R_FOOT";
    const char* toe = side < 0 ? "L_TOE0" : "R_TOE0";
    const float k = limbScale(s, 0.92f, 1.22f, 0.86f);
    const float x = static_cast<float>(side);
    const LimbRow rows[] = {
        {0.27f, 2.95f, -0.01f, 0.26f, 0.28f, 0.0f, thigh, "PELVIS", 20000},
        {0.29f, 2.62f, -0.0f, 0.26f, 0.27f, 0.12f, thigh, "PELVIS", 8000},
        {0.31f, 2.12f, 0.02f, 0.2f, 0.21f, 0.35f, thigh, nullptr, 0},
        {0.32f, 1.6f, 0.04f, 0.15f, 0.15f, 0.55f, thigh, calf, kHalf},
        {0.32f, 1.3f, 0.0f, 0.155f, 0.17f, 0.68f, calf, nullptr, 0},
        {0.33f, 0.82f, -0.01f, 0.11f, 0.115f, 0.86f, calf, nullptr, 0},
        {0.34f, 0.4f, -0.02f, 0.085f, 0.09f, 1.0f, calf, foot, kHalf},
    };
    std::vector<Ring> rings = limbRings(rows, x, k, k);
    if (s.skirt) {
        // The skirt hangs from the hips as a cone around both legs; see addSkirt.
        rings[0].r1 *= 0.9f;
    }
    mb.tube(rings, 12, side < 0 ? layout::kLeftLeg : layout::kRightLeg, true, true);

    // The shoe, along the foot: u = 0.5 on top.
    const LimbRow feet[] = {
        {0.34f, 0.17f, -0.27f, 0.1f, 0.15f, 0.0f, foot, nullptr, 0},
        {0.34f, 0.21f, -0.11f, 0.13f, 0.21f, 0.25f, foot, nullptr, 0},
        {0.35f, 0.15f, 0.15f, 0.14f, 0.15f, 0.55f, foot, nullptr, 0},
        {0.36f, 0.1f, 0.38f, 0.14f, 0.1f, 0.8f, toe, foot, kHalf},
        {0.36f, 0.075f, 0.56f, 0.1f, 0.075f, 1.0f, toe, nullptr, 0},
    };
    std::vector<Ring> shoe = limbRings(feet, x, s.female ? 0.85f : 1.0f, 1.0f);
    for (Ring& ring : shoe)
        ring.e2 = {0, 1, 0};  // the shoe runs along the foot, so its rings stand upright
    // Flatten the sole onto the ground.
    auto sole = [](Vec3 p, Vec3, float, size_t) {
        if (p.y < 0.0f) p.y = 0.0f;
        return p;
    };
    mb.tube(shoe, 10, side < 0 ? layout::kLeftFoot : layout::kRightFoot, true, true, sole);
}

void addSkirt(MeshBuilder& mb) {
    // Painted with the lower torso's cloth: it samples the torso strip's bottom rows.
    std::vector<Ring> rings;
    const float ys[] = {3.2f, 2.8f, 2.3f, 1.85f};
    const float rx[] = {0.5f, 0.64f, 0.74f, 0.82f};
    const float rz[] = {0.31f, 0.4f, 0.46f, 0.5f};
    for (int i = 0; i < 4; ++i) {
        Ring r;
        r.centre = {0, ys[i], 0.0f};
        r.r1 = rx[i];
        r.r2 = rz[i];
        r.t = 0.9f + 0.1f * static_cast<float>(i) / 3;
        r.bone = i == 0 ? "SPINE" : "PELVIS";
        if (i == 0) {
            r.blendBone = "PELVIS";
            r.blendWeight = kHalf;
        }
        rings.push_back(r);
    }
    mb.tube(rings, 20, layout::kTorso, false, false);
}

}  // namespace

character::DeformableMesh bodyMesh(const std::string& name, const std::string& texture,
                                   const BodyShape& shape) {
    MeshBuilder mb;
    addTorso(mb, shape);
    addArm(mb, shape, -1);
    addArm(mb, shape, 1);
    addLeg(mb, shape, -1);
    addLeg(mb, shape, 1);
    if (shape.skirt) addSkirt(mb);
    return mb.finish(name, texture);
}

character::DeformableMesh headMesh(const std::string& name, const std::string& texture,
                                   const HeadShape& s) {
    MeshBuilder mb;
    const Vec3 centre{0, 5.37f, 0.03f};
    const float rx = 0.34f * s.width * (s.female ? 0.95f : 1.0f);
    const float ry = 0.43f * (s.female ? 0.97f : 1.0f);
    const float rz = 0.37f;
    const int rows = 18, sides = 24;
    // Heads are drawn a little large, as the game's figures have them.
    auto grow = [&](Vec3 p) { return centre + (p - centre) * 1.12f; };
    // Hair volume: how far the hair stands off the scalp at this place.
    auto hairLift = [&](float angle, float v) -> float {
        const float back = -std::cos(angle);  // 1 at the back
        float line = 0.3f;                    // the hairline's row, lower at the back
        float lift = 0.035f;
        switch (s.hair) {
            case HairStyle::Bald:
                return 0;
            case HairStyle::Cropped:
                line = 0.3f + 0.25f * (back + 1) / 2;
                lift = 0.015f;
                break;
            case HairStyle::Short:
                line = 0.3f + 0.32f * (back + 1) / 2;
                break;
            case HairStyle::Curly:
                line = 0.27f + 0.4f * (back + 1) / 2;
                lift = 0.09f;
                break;
            case HairStyle::Bob:
                line = 0.3f + 0.45f * (back + 1) / 2;
                lift = 0.06f;
                break;
            case HairStyle::Long:
            case HairStyle::Pony:
                line = 0.29f + 0.5f * (back + 1) / 2;
                lift = 0.045f;
                break;
            case HairStyle::Hat:
                line = 0.34f;
                lift = 0.05f;
                break;
        }
        if (v > line) return 0;
        return lift * std::min(1.0f, (line - v) / 0.08f);
    };
    std::vector<int> first;
    for (int r = 0; r <= rows; ++r) {
        const float v = static_cast<float>(r) / rows;
        const float theta = v * kPi * 0.93f;  // stop short of the bottom: the neck goes there
        first.push_back(-1);
        for (int i = 0; i <= sides; ++i) {
            const float u = static_cast<float>(i) / sides;
            const float angle = (u - 0.5f) * 2 * kPi;
            const float sn = std::sin(angle), cs = std::cos(angle);
            const float st = std::sin(theta), ct = std::cos(theta);
            float x = rx * st * sn, y = ry * ct, z = rz * st * cs;
            const float lower = std::max(0.0f, -ct);  // 0 at the middle, 1 at the bottom
            // A narrower jaw and a chin forward of it.
            x *= 1 - 0.2f * lower * lower * s.jaw;
            z *= 1 - 0.2f * lower * std::max(0.0f, -cs);
            z += 0.05f * lower * std::max(0.0f, cs);
            // The back of the skull.
            z -= 0.04f * std::max(0.0f, ct) * std::max(0.0f, -cs);
            Vec3 p = centre + Vec3{x, y, z};
            Vec3 out = normalised(Vec3{x / rx, y / ry, z / rz});
            const float face = std::max(0.0f, cs);
            // Nose, brow, cheeks, ears.
            p.z += 0.09f * gauss(angle, 0.14f) * gauss(v - 0.57f, 0.06f);
            p.z += 0.03f * gauss(angle, 0.6f) * gauss(v - 0.45f, 0.03f) * face;
            p.z -= 0.025f * (gauss(angle - 0.42f, 0.13f) + gauss(angle + 0.42f, 0.13f)) *
                   gauss(v - layout::kEyeRow, 0.04f);
            p = p + Vec3{sn, 0, 0} * (0.05f * gauss(std::fabs(angle) - kPi / 2, 0.16f) *
                                      gauss(v - 0.53f, 0.07f));
            // Lips.
            p.z += 0.025f * gauss(angle, 0.2f) * gauss(v - layout::kMouthRow, 0.025f);
            p = p + out * hairLift(angle, v);
            int vx = mb.vertex(grow(p), out, u, v, "HEAD");
            if (i == 0) first.back() = vx;
            // The lowest rows reach down into the neck.
            if (r == rows) mb.blend(vx, "NECK", 10000);
        }
    }
    for (int r = 0; r < rows; ++r)
        for (int i = 0; i < sides; ++i) {
            int a = first[r] + i, b = a + 1, c = first[r + 1] + i, d = c + 1;
            mb.triangle(a, b, d);
            mb.triangle(a, d, c);
        }
    // Under the chin.
    int bottom =
        mb.vertex(grow(centre + Vec3{0, -ry * 0.9f, 0.02f}), {0, -1, 0}, 0.5f, 1.0f, "HEAD");
    for (int i = 0; i < sides; ++i)
        mb.triangleFacing(bottom, first[rows] + i, first[rows] + i + 1, {0, -1, 0});

    if (s.hair == HairStyle::Long || s.hair == HairStyle::Pony) {
        // Hair falling behind the shoulders, in the hair colour of the crown's texture rows.
        std::vector<Ring> fall;
        const float ys[] = {5.5f, 5.15f, 4.85f, s.hair == HairStyle::Long ? 4.45f : 4.6f};
        const float w[] = {0.37f, 0.38f, s.hair == HairStyle::Long ? 0.36f : 0.14f,
                           s.hair == HairStyle::Long ? 0.34f : 0.1f};
        for (int i = 0; i < 4; ++i) {
            Ring ring;
            ring.centre = {0, ys[i], i == 0 ? -0.02f : -0.1f - 0.03f * i};
            ring.r1 = w[i] * s.width;
            ring.r2 = s.hair == HairStyle::Long ? 0.3f - 0.04f * i : w[i];
            ring.t = 0.05f;
            ring.bone = "HEAD";
            if (i == 3) {
                ring.blendBone = "NECK";
                ring.blendWeight = 8000;
            }
            fall.push_back(ring);
        }
        // Only behind the face: squeeze the front half behind the cheeks.
        auto behind = [&](Vec3 p, Vec3, float angle, size_t ring) {
            if (std::cos(angle) > -0.2f && ring > 0)
                p.z = std::min(p.z, centre.z - 0.05f + 0.05f * static_cast<float>(3 - ring));
            return grow(p);
        };
        mb.tube(fall, 16, {0.45f, 0.02f, 0.55f, 0.08f}, false, true, behind);
    }
    if (s.hair == HairStyle::Hat) {
        // A brim around the crown.
        std::vector<Ring> brim;
        for (int i = 0; i < 3; ++i) {
            Ring ring;
            ring.centre = {0, 5.63f - 0.025f * i, 0.03f};
            ring.r1 = (0.35f + 0.1f * i) * s.width;
            ring.r2 = 0.4f + 0.1f * i;
            ring.t = 0.0f;
            ring.bone = "HEAD";
            brim.push_back(ring);
        }
        mb.tube(brim, 24, {0.0f, 0.02f, 1.0f, 0.04f}, false, false,
                [&](Vec3 p, Vec3, float, size_t) { return grow(p); });
    }
    return mb.finish(name, texture);
}

character::DeformableMesh handMesh(const std::string& name, const std::string& texture, int side,
                                   bool female, bool child) {
    MeshBuilder mb;
    const char* hand = side < 0 ? "L_HAND" : "R_HAND";
    const char* fore = side < 0 ? "L_FOREARM" : "R_FOREARM";
    const float k = child ? 0.8f : (female ? 0.98f : 1.1f);
    const float x = static_cast<float>(side);
    struct Row {
        float x, y, z, r1, r2, t;
    };
    // Palm towards the thigh: thin across x, broad along z.
    const Row rows[] = {
        {0.74f, 2.8f, 0.02f, 0.07f, 0.065f, 0.0f},   {0.745f, 2.66f, 0.03f, 0.055f, 0.095f, 0.2f},
        {0.75f, 2.5f, 0.03f, 0.05f, 0.1f, 0.45f},    {0.76f, 2.33f, 0.04f, 0.042f, 0.09f, 0.7f},
        {0.765f, 2.2f, 0.04f, 0.032f, 0.07f, 0.88f}, {0.77f, 2.14f, 0.04f, 0.018f, 0.04f, 1.0f},
    };
    std::vector<Ring> rings;
    const Vec3 wrist{x * 0.74f, 2.72f, 0.02f};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        Ring ring;
        ring.centre = wrist + (Vec3{x * r.x, r.y, r.z} - wrist) * k;
        ring.r1 = r.r1 * k;
        ring.r2 = r.r2 * k;
        ring.t = r.t;
        ring.bone = hand;
        if (i == 0) {
            ring.blendBone = fore;
            ring.blendWeight = kHalf;
        }
        rings.push_back(ring);
    }
    mb.tube(rings, 10, {0, 0, 1, 0.8f}, true, true);
    // The thumb, forward of the palm.
    std::vector<Ring> thumb;
    const Row t[] = {{0.73f, 2.66f, 0.09f, 0.03f, 0.03f, 0.0f},
                     {0.72f, 2.56f, 0.14f, 0.026f, 0.026f, 0.5f},
                     {0.71f, 2.47f, 0.16f, 0.02f, 0.02f, 1.0f}};
    for (const Row& r : t) {
        Ring ring;
        ring.centre = wrist + (Vec3{x * r.x, r.y, r.z} - wrist) * k;
        ring.r1 = r.r1 * k;
        ring.r2 = r.r2 * k;
        ring.t = r.t;
        ring.bone = hand;
        thumb.push_back(ring);
    }
    mb.tube(thumb, 8, {0, 0.8f, 1, 1}, false, true);
    return mb.finish(name, texture);
}

}  // namespace marquill::content::demo
