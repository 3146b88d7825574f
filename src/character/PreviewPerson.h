#pragma once
// The one person the preview shows: its own copy of a skeleton, the outfits dressed on it, the
// animations that move it and the render group that draws it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "character/Appearance.h"
#include "character/CharacterRecords.h"
#include "character/Dressing.h"
#include "character/SkinSelections.h"
#include "render/RenderResult.h"
#include "render/U3DAlgebra3.h"

namespace marquill::render {
class Device3D;
class Viewport3D;
}  // namespace marquill::render

namespace marquill::character {

class AnimationPlayer;
class CharacterCatalogue;
class OssaRenderGroup;
struct AnimationInstance;

// The name that asks for a one-bone skeleton instead of one from the catalogue (any case).
inline constexpr const char* kRootSkeletonName = "root";

class PreviewPerson {
  public:
    // Never null; a skeleton name the catalogue lacks gives a person without a skeleton.
    static std::unique_ptr<PreviewPerson> create(CharacterCatalogue& catalogue,
                                                 render::Device3D& device,
                                                 const std::string& skeletonName);
    // Also dresses the outfit (without override) and starts the animation (priority 1, rate 1,
    // weight 1, at `now`) when they are named and known; the wizard names neither.
    static std::unique_ptr<PreviewPerson> create(CharacterCatalogue& catalogue,
                                                 render::Device3D& device,
                                                 const std::string& skeletonName,
                                                 const std::string& outfitName,
                                                 const std::string& animationName, int32_t now);
    ~PreviewPerson();
    PreviewPerson(const PreviewPerson&) = delete;
    PreviewPerson& operator=(const PreviewPerson&) = delete;

    [[nodiscard]] bool hasSkeleton() const { return skeleton_ != nullptr; }
    [[nodiscard]] const std::string& skeletonName() const { return skeletonName_; }
    [[nodiscard]] Skeleton* skeleton() { return skeleton_.get(); }
    [[nodiscard]] AnimationPlayer* animations() {
        return animations_.get();
    }  // null without a skeleton

    // Null without a skeleton.
    Dressing* dress(Outfit& outfit, const std::string& overrideString);
    void undress(Dressing* dressing);
    void undressAll();  // every dressing and every animation
    // Recomputes the hands into `dressing` from the normal-page body, then takes off every
    // dressing and dresses head, left hand, right hand and the page's body, each with its
    // texture override.
    void dressFromSelections(const Appearance& look, SkinSelections& dressing, bool fashionPage);

    [[nodiscard]] AnimationInstance* runningAnimation() { return running_; }
    void setRunningAnimation(AnimationInstance* instance) { running_ = instance; }

    // Places the person, samples its animations, poses the skeleton, deforms the meshes and
    // hands the box and placement to the render group.
    void tick(const render::Matrix4& transform, int32_t now, bool apply);
    render::RenderResult draw(render::Viewport3D& viewport, int32_t now);
    // Poses the skeleton and deforms every mesh without sampling animations.
    void updateGeometry();

    [[nodiscard]] OssaRenderGroup* renderGroup() { return group_; }
    [[nodiscard]] BoundingBox bounds() const { return bounds_; }
    [[nodiscard]] const std::vector<std::unique_ptr<Dressing>>& dressings() const {
        return dressings_;
    }
    // The dressings of the last dressing from the selections; null where nothing was dressed.
    [[nodiscard]] Dressing* headDressing() const { return head_; }
    [[nodiscard]] Dressing* leftHandDressing() const { return leftHand_; }
    [[nodiscard]] Dressing* rightHandDressing() const { return rightHand_; }
    [[nodiscard]] Dressing* bodyDressing() const { return body_; }

  private:
    PreviewPerson(CharacterCatalogue& catalogue, render::Device3D& device, std::string name);
    // The four remembered dressings first, then any other.
    void takeOffEverything();

    CharacterCatalogue& catalogue_;
    render::Device3D& device_;
    std::string skeletonName_;
    OssaRenderGroup* group_ = nullptr;  // one reference
    std::unique_ptr<Skeleton> skeleton_;
    std::unique_ptr<AnimationPlayer> animations_;
    std::vector<std::unique_ptr<Dressing>> dressings_;
    Dressing* head_ = nullptr;
    Dressing* leftHand_ = nullptr;
    Dressing* rightHand_ = nullptr;
    Dressing* body_ = nullptr;
    AnimationInstance* running_ = nullptr;
    render::Matrix4 placement_;
    render::Matrix4 scale_;  // the identity while the scale is one
    BoundingBox bounds_;
};

}  // namespace marquill::character
