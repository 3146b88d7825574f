#pragma once
// What the wizard's pages share: the controls, the design, the step machine's state, the host,
// the environment and the preview scene, with the few services every page uses (status line,
// messages, sounds, the busy bracket around modal work).
#include <memory>
#include <string>
#include <string_view>

#include "character/LookLists.h"
#include "preview/PreviewScene.h"
#include "wizard/ControlState.h"
#include "wizard/Design.h"
#include "wizard/WizardEnvironment.h"
#include "wizard/WizardHost.h"

namespace marquill::wizard {

class WizardContext {
  public:
    WizardContext(WizardHost& host, WizardEnvironment& environment);

    WizardHost& host;
    WizardEnvironment& environment;
    ControlSet controls;
    Design design;
    int step = 0;
    std::string gameFolder;
    std::string startupDirectory;
    std::unique_ptr<preview::PreviewScene> scene;  // none until the game folder is known

    // The look-page lists; none before the preview is ready.
    [[nodiscard]] character::LookLists* looks() const;

    // Named edits of the design that more than one step makes; the controls follow.
    // A person chosen in the import lists becomes the appearance selection.
    void chooseAppearance(const character::Appearance& appearance);
    // The look lists are filled again from the files (after a save: new files may be there).
    void refillLists();
    // The controls that show the look: the four lists (controls 1016, 1017, 1020 and 1021) and
    // the gender toggles.
    void showLists();
    void showGender();
    // All the look's controls: the lists, the toggles, skin and body type.
    void showLook();

    void setStatus(std::string_view text);
    // The message dialog (CPemmSaved) and the confirmation (CDMOKCancel); true for OK.
    void showMessage(std::string_view title, std::string_view message);
    [[nodiscard]] bool confirm(std::string_view title, std::string_view message);
    void play(std::string_view sound);
    void setCursor(Cursor cursor) { host.setCursor(cursor); }
    // "The Pemms Marquill: " and the line.
    void trace(std::string_view line);
    // Tells the view which controls changed since the last time.
    void flush();
    // Paints the changes now, inside a long operation.
    void redraw();

    // Long or modal work: the preview is busy and its timer stopped, then runs again.
    void beginModal();
    void endModal();
};

}  // namespace marquill::wizard
