#include "character/PreviewPerson.h"

#include <algorithm>
#include <cmath>

#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/HandSelections.h"
#include "character/OssaRenderGroup.h"
#include "character/SkeletonPose.h"
#include "platform/AsciiCase.h"
#include "render/RenderDIPMesh.h"
#include "render/Viewport3D.h"

namespace marquill::character {

namespace {

constexpr Vec3 kPersonScale{1.0f, 1.0f, 1.0f};

// A unit scale is no scale at all, so the placement keeps its cheap kind.
render::Matrix4 scaleMatrix(const Vec3& s) {
    auto unit = [](float v) { return std::fabs(v - 1.0f) <= 1e-6f; };
    if (unit(s.x) && unit(s.y) && unit(s.z)) return {};
    return render::Matrix4::fromValues({s.x, 0, 0, 0, 0, s.y, 0, 0, 0, 0, s.z, 0, 0, 0, 0, 1});
}

render::BoundingBox toRender(const BoundingBox& b) {
    render::BoundingBox out;
    out.min = {b.min.x, b.min.y, b.min.z};
    out.max = {b.max.x, b.max.y, b.max.z};
    return out;
}

std::unique_ptr<Skeleton> rootSkeleton(BoneNameTable& names) {
    auto s = std::make_unique<Skeleton>();
    s->name = kRootSkeletonName;
    Bone bone;
    bone.name = "ROOT";
    bone.nameId = names.intern(bone.name);
    bone.keyBone = true;
    s->bones.push_back(bone);
    s->root = 0;
    return s;
}

std::string withTexture(const char* key, const std::string& texture, bool present) {
    return present ? std::string(key) + "=" + texture : std::string();
}

}  // namespace

PreviewPerson::PreviewPerson(CharacterCatalogue& catalogue, render::Device3D& device,
                             std::string name)
    : catalogue_(catalogue), device_(device), skeletonName_(std::move(name)) {}

std::unique_ptr<PreviewPerson> PreviewPerson::create(CharacterCatalogue& catalogue,
                                                     render::Device3D& device,
                                                     const std::string& skeletonName) {
    return create(catalogue, device, skeletonName, {}, {}, 0);
}

std::unique_ptr<PreviewPerson> PreviewPerson::create(
    CharacterCatalogue& catalogue, render::Device3D& device, const std::string& skeletonName,
    const std::string& outfitName, const std::string& animationName, int32_t now) {
    std::unique_ptr<PreviewPerson> person(new PreviewPerson(catalogue, device, skeletonName));
    person->group_ = OssaRenderGroup::create();
    person->scale_ = scaleMatrix(kPersonScale);
    if (platform::equalsIgnoringCase(skeletonName, kRootSkeletonName)) {
        person->skeleton_ = rootSkeleton(catalogue.boneNames());
    } else if (const Skeleton* shared = catalogue.findSkeleton(skeletonName)) {
        person->skeleton_ = std::make_unique<Skeleton>(*shared);
    }
    if (!person->skeleton_) return person;
    person->skeleton_->changed = true;
    person->animations_ = std::make_unique<AnimationPlayer>(*person->skeleton_);
    if (Outfit* outfit = outfitName.empty() ? nullptr : catalogue.findOutfit(outfitName))
        person->dress(*outfit, {});
    if (Animation* a = animationName.empty() ? nullptr : catalogue.findAnimation(animationName))
        person->running_ = person->animations_->start(catalogue, *a, 1, 1.0f, 1.0f, now);
    person->updateGeometry();
    return person;
}

PreviewPerson::~PreviewPerson() {
    undressAll();
    animations_.reset();
    skeleton_.reset();
    if (group_) group_->release();
}

Dressing* PreviewPerson::dress(Outfit& outfit, const std::string& overrideString) {
    if (!skeleton_) return nullptr;
    dressings_.push_back(
        attach(catalogue_, device_, outfit, *skeleton_, overrideString, kAllCensorFlags, group_));
    skeleton_->changed = true;
    return dressings_.back().get();
}

void PreviewPerson::undress(Dressing* dressing) {
    if (!dressing) return;
    auto it = std::find_if(dressings_.begin(), dressings_.end(),
                           [&](const auto& d) { return d.get() == dressing; });
    if (it == dressings_.end()) return;
    for (Dressing** slot : {&body_, &head_, &leftHand_, &rightHand_})
        if (*slot == dressing) *slot = nullptr;
    detach(*dressing, group_);
    dressings_.erase(it);
    if (skeleton_) skeleton_->changed = true;
}

void PreviewPerson::takeOffEverything() {
    for (Dressing* remembered : {body_, head_, leftHand_, rightHand_})
        undress(remembered);
    while (!dressings_.empty())
        undress(dressings_.back().get());
}

void PreviewPerson::undressAll() {
    takeOffEverything();
    if (animations_) animations_->stopAll();
    running_ = nullptr;
}

void PreviewPerson::dressFromSelections(const Appearance& look, SkinSelections& dressing,
                                        bool fashionPage) {
    const std::string& bodyOutfit = fashionPage ? look.fashionBodyMesh : look.bodyMesh;
    const std::string& bodyTexture = fashionPage ? look.fashionBodyTexture : look.bodyTexture;
    // Whether a texture was chosen is noted before the hands are recomputed: an empty hand
    // texture keeps its mesh's default even though the recomputed one is never empty.
    const bool headTexture = !look.headTexture.empty();
    const bool leftTexture = !dressing.leftHandTexture.empty();
    const bool rightTexture = !dressing.rightHandTexture.empty();
    const bool hasBodyTexture = !bodyTexture.empty();

    const HandSelections hands = handSelectionsFor(look.bodyMesh, look.bodyTexture);
    dressing.leftHandOutfit = hands.leftOutfit;
    dressing.leftHandTexture = hands.leftTexture;
    dressing.rightHandOutfit = hands.rightOutfit;
    dressing.rightHandTexture = hands.rightTexture;
    if (!skeleton_) return;

    const std::string headOverride = withTexture("HEAD-HEAD", look.headTexture, headTexture);
    const std::string leftOverride = withTexture("HAND", dressing.leftHandTexture, leftTexture);
    const std::string rightOverride = withTexture("HAND", dressing.rightHandTexture, rightTexture);
    const std::string bodyOverride = withTexture("BODY", bodyTexture, hasBodyTexture);

    Outfit* body = catalogue_.findOutfit(bodyOutfit);
    Outfit* head = catalogue_.findOutfit(look.headMesh);
    Outfit* left = catalogue_.findOutfit(dressing.leftHandOutfit);
    Outfit* right = catalogue_.findOutfit(dressing.rightHandOutfit);

    takeOffEverything();
    if (head) head_ = dress(*head, headOverride);
    if (left) leftHand_ = dress(*left, leftOverride);
    if (right) rightHand_ = dress(*right, rightOverride);
    if (body) body_ = dress(*body, bodyOverride);
    skeleton_->changed = true;
    updateGeometry();
}

void PreviewPerson::tick(const render::Matrix4& transform, int32_t now, bool apply) {
    if (!skeleton_) return;
    placement_ = scale_ * transform;
    animations_->update(now, apply);
    updateGeometry();
    group_->setLocalTransform(placement_);
}

void PreviewPerson::updateGeometry() {
    if (!skeleton_) return;
    updatePose(*skeleton_);
    BoundingBox box;
    for (auto& dressing : dressings_) {
        for (auto& instance : dressing->instances) {
            deform(*instance, *skeleton_);
            box.include(instance->box);
        }
    }
    // Nothing shown: the box the bones span.
    if (!box.valid())
        for (const Bone& bone : skeleton_->bones)
            box.add(bone.worldPosition);
    bounds_ = box;
    const render::BoundingBox handed = toRender(box);
    for (auto& dressing : dressings_)
        for (auto& instance : dressing->instances)
            instance->renderMesh->setBoundingBox(handed);
    group_->setBoundingBox(handed);
    group_->setFlag(render::RenderObject::kBoundsOutOfDate, false);
}

render::RenderResult PreviewPerson::draw(render::Viewport3D& viewport, int32_t now) {
    (void)now;  // the pose was set by the last tick
    if (!skeleton_) return render::kRenderOk;
    return render::drawWithLocalTransform(*group_, viewport, render::kClipTest);
}

}  // namespace marquill::character
