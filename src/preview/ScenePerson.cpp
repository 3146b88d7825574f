#include "preview/ScenePerson.h"

#include "character/AnimationClock.h"
#include "character/AnimationInstance.h"
#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/PreviewPerson.h"
#include "render/Device3D.h"
#include "render/MaterialLibrary.h"
#include "render/TextureLibrary.h"

namespace marquill::preview {

using character::AnimationClock;

ScenePerson::ScenePerson(PreviewHost& host, FrameClock& frames, platform::RandomSource& random)
    : host_(host), frames_(frames), random_(random) {}

ScenePerson::~ScenePerson() {
    release();
}

void ScenePerson::attach(character::CharacterCatalogue& catalogue, render::Device3D& device,
                         fileindex::FolderIndex& index, fileindex::FileTypeRegistry& types,
                         character::LookSelection* look) {
    catalogue_ = &catalogue;
    device_ = &device;
    index_ = &index;
    types_ = &types;
    lookLists_ = std::make_unique<character::LookLists>(*catalogue_, folderIndex(), fileTypes(),
                                                        look ? *look : ownLook_, selections_, this,
                                                        host_.sounds());
}

void ScenePerson::start() {
    if (lookLists_) lookLists_->start();
}

void ScenePerson::release() {
    lookLists_.reset();
    person_.reset();
    catalogue_ = nullptr;
    device_ = nullptr;
}

void ScenePerson::nextIdleIfFinished() {
    if (!person_ || !person_->animations() || !lookLists_) return;
    character::AnimationInstance* running = person_->runningAnimation();
    // With nothing running (an idle name the catalogue lacks) the last pose stays.
    if (!running || !running->finished) return;
    running = idle_.next(selections_.animation, *person_->animations(), *catalogue_,
                         AnimationClock::instance().now(), !lookLists_->appearance().female(),
                         host_.isForeground(), random_, host_.sounds());
    person_->setRunningAnimation(running);
}

void ScenePerson::setBusy(bool busy) {
    frames_.setBusy(busy);
}

void ScenePerson::ensurePerson(const std::string& skeletonName) {
    if (!catalogue_ || !device_) return;
    if (person_ && person_->skeletonName() == skeletonName) return;
    if (person_) undressAll();
    person_.reset();
    person_ = character::PreviewPerson::create(*catalogue_, *device_, skeletonName);
}

void ScenePerson::dress(const character::Appearance& appearance,
                        character::SkinSelections& dressing, bool fashionPage) {
    if (person_) person_->dressFromSelections(appearance, dressing, fashionPage);
}

void ScenePerson::undressAll() {
    if (!person_) return;
    person_->undressAll();
    person_->setRunningAnimation(nullptr);
}

void ScenePerson::reloadTextures() {
    if (!device_) return;
    device_->materials().releaseUnused();
    device_->textures().forgetAll();
}

void ScenePerson::syncAnimation(std::string& animationName) {
    if (!person_ || !person_->animations() || !catalogue_) return;
    character::AnimationPlayer& player = *person_->animations();
    character::AnimationInstance* running = person_->runningAnimation();
    if (running && (!running->animation || running->animation->name != animationName)) {
        player.stop(running);
        person_->setRunningAnimation(nullptr);
        running = nullptr;
    }
    if (running || animationName.empty()) return;
    character::Animation* animation = catalogue_->findAnimation(animationName);
    if (!animation) {
        animationName.clear();
        return;
    }
    running =
        player.start(*catalogue_, *animation, 1, 1.0f, 1.0f, AnimationClock::instance().now());
    if (running) running->endMode = character::EndMode::HoldAtEnd;
    person_->setRunningAnimation(running);
}

}  // namespace marquill::preview
