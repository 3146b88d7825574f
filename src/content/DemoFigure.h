#pragma once
// The shapes of the demo figure: body, head and hand meshes for the "adult" skeleton, with the
// texture layout that the painters in DemoTextures fill.
#include <string>

#include "character/CharacterRecords.h"
#include "content/DemoMeshBuilder.h"

namespace marquill::content::demo {

// Where each body surface lies in a body texture (u across, v down).
namespace layout {
inline constexpr UvRect kTorso{0, 0, 1, 0.4f};
inline constexpr UvRect kLeftArm{0, 0.4f, 0.5f, 0.62f};
inline constexpr UvRect kRightArm{0.5f, 0.4f, 1, 0.62f};
inline constexpr UvRect kLeftLeg{0, 0.62f, 0.5f, 0.9f};
inline constexpr UvRect kRightLeg{0.5f, 0.62f, 1, 0.9f};
inline constexpr UvRect kLeftFoot{0, 0.9f, 0.5f, 1};
inline constexpr UvRect kRightFoot{0.5f, 0.9f, 1, 1};
// Rows of the torso strip: the neck ends at kNeckEnd, the shoulders' top at kShoulder, the
// waist at kWaist, the torso's bottom at 1.
inline constexpr float kNeckEnd = 0.16f;
inline constexpr float kShoulder = 0.24f;
inline constexpr float kWaist = 0.72f;
// Head texture rows: v = 0 at the crown, 1 under the chin; u = 0.5 the middle of the face.
inline constexpr float kEyeRow = 0.5f;
inline constexpr float kMouthRow = 0.71f;
}  // namespace layout

enum class Build { Fit, Fat, Skinny };
enum class HairStyle { Short, Cropped, Bald, Bob, Long, Pony, Curly, Hat };

struct BodyShape {
    bool female = false;
    Build build = Build::Fit;
    float breadth = 1.0f;  // variation of widths, around 1
    bool skirt = false;    // a flared skirt from the waist
};

struct HeadShape {
    bool female = false;
    HairStyle hair = HairStyle::Short;
    float width = 1.0f;  // variation around 1
    float jaw = 1.0f;
};

[[nodiscard]] character::DeformableMesh bodyMesh(const std::string& name,
                                                 const std::string& texture,
                                                 const BodyShape& shape);
[[nodiscard]] character::DeformableMesh headMesh(const std::string& name,
                                                 const std::string& texture,
                                                 const HeadShape& shape);
// side: -1 left, +1 right; child hands are smaller.
[[nodiscard]] character::DeformableMesh handMesh(const std::string& name,
                                                 const std::string& texture, int side, bool female,
                                                 bool child);

}  // namespace marquill::content::demo
