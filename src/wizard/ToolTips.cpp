#include "wizard/ToolTips.h"

#include "wizard/ControlIds.h"

namespace marquill::wizard {

const std::vector<ToolTip>& toolTips() {
    static const std::vector<ToolTip> tips = {
        {id::kHelp, "View the ReadMe file."},
        {id::kCreate, "Create a new Celeb."},
        {id::kReplace, "Import a downloaded celeb into your game."},
        {id::kReload, "Rescan the game folders for skins."},
        {id::kAbout, "About this program."},
        {id::kLoad, "Load a Pemm from the game."},
        {id::kSaveToGame, "Save this Pemm back to the game."},
        {id::kBodyTexture, "Select a texture for the body here."},
        {id::kBodyMesh, "Select a body here."},
        {id::kHeadTexture, "Select a texture for the head here."},
        {id::kHeadMesh, "Select a head here."},
        {id::kZoom, "Change the size of the displayed Pemm."},
        {id::kFacing, "Change Pemm to face in this direction."},
        {id::kRotate, "Auto rotate the Pemm."},
        {id::kBodyMesh, "Change the body mesh."},
        {id::kBodyTexture, "Change the Body Texture."},
        {id::kHeadTexture, "Change the Head Texture."},
        {id::kSkinType, "Change the skin color."},
        {id::kBodyType, "Change the Body Type."},
        {id::kHeadMesh, "Change the Head Mesh."},
        {id::kBack, "Go back a step."},
        {id::kNext, "Proceed to the next step."},
        {id::kNeat, "How neat is your Pemm?"},
        {id::kNice, "How nice is your Pemm?"},
        {id::kOutgoing, "How outgoing is your Pemm?"},
        {id::kActive, "How active is your Pemm?"},
        {id::kPlayful, "How playful is your Pemm?"},
        {id::kTop, "Choose the Pemm's 5 Top Interests."},
    };
    return tips;
}

std::string_view toolTipFor(int controlId) {
    for (const ToolTip& tip : toolTips())
        if (tip.controlId == controlId) return tip.text;
    return {};
}

}  // namespace marquill::wizard
