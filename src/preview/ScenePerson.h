#pragma once
// The person in the preview and what the look page does to it: the person with its render group,
// the look-page lists over the appearance selection, the dressing, and the idle cycle that picks
// the next animation when one ends.
#include <memory>
#include <string>

#include "character/IdleCycle.h"
#include "character/LookLists.h"
#include "character/SkinSelections.h"
#include "platform/RandomSource.h"
#include "preview/FrameClock.h"
#include "preview/PreviewHost.h"

namespace marquill::fileindex {
class FolderIndex;
class FileTypeRegistry;
}  // namespace marquill::fileindex

namespace marquill::render {
class Device3D;
}

namespace marquill::character {
class CharacterCatalogue;
class PreviewPerson;
}  // namespace marquill::character

namespace marquill::preview {

class ScenePerson final : public character::PersonControl {
  public:
    // `frames` is told when the lists make the preview busy.
    ScenePerson(PreviewHost& host, FrameClock& frames, platform::RandomSource& random);
    ~ScenePerson() override;
    ScenePerson(const ScenePerson&) = delete;
    ScenePerson& operator=(const ScenePerson&) = delete;

    // Makes the look-page lists over the scene's catalogue and device, which outlive the person
    // until release().
    // The lists edit `look`; none: the person's own.
    void attach(character::CharacterCatalogue& catalogue, render::Device3D& device,
                fileindex::FolderIndex& index, fileindex::FileTypeRegistry& types,
                character::LookSelection* look);
    // Fills the lists and assembles the person from the current choices.
    void start();
    // The lists, then the person; the scene's objects go after.
    void release();

    [[nodiscard]] character::LookLists* lookLists() { return lookLists_.get(); }
    [[nodiscard]] character::SkinSelections& selections() { return selections_; }
    [[nodiscard]] character::PreviewPerson* person() { return person_.get(); }

    // Runs the idle cycle's next step when the running animation has finished.
    void nextIdleIfFinished();

    // What the look-page lists ask of the preview.
    void setBusy(bool busy) override;
    void ensurePerson(const std::string& skeletonName) override;
    void dress(const character::Appearance& appearance, character::SkinSelections& dressing,
               bool fashionPage) override;
    void undressAll() override;
    void reloadTextures() override;
    void syncAnimation(std::string& animationName) override;

  private:
    [[nodiscard]] fileindex::FolderIndex& folderIndex() const { return *index_; }
    [[nodiscard]] fileindex::FileTypeRegistry& fileTypes() const { return *types_; }

    PreviewHost& host_;
    FrameClock& frames_;
    platform::RandomSource& random_;
    character::CharacterCatalogue* catalogue_ = nullptr;
    render::Device3D* device_ = nullptr;
    fileindex::FolderIndex* index_ = nullptr;
    fileindex::FileTypeRegistry* types_ = nullptr;
    std::unique_ptr<character::PreviewPerson> person_;
    std::unique_ptr<character::LookLists> lookLists_;
    character::SkinSelections selections_;  // what the person wears beyond the appearance
    character::LookSelection ownLook_;
    character::IdleCycle idle_;
};

}  // namespace marquill::preview
