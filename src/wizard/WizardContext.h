#pragma once
// What the wizard's pages share: the controls, the record, the step machine's state, the host,
// the environment and the preview scene, with the few services every page uses (status line,
// messages, sounds, the busy bracket around modal work).
#include <memory>
#include <string>
#include <string_view>

#include "celeb/PemmData.h"
#include "character/LookLists.h"
#include "preview/PreviewScene.h"
#include "wizard/ControlState.h"
#include "wizard/WizardEnvironment.h"
#include "wizard/WizardHost.h"

namespace marquill::wizard {

class WizardContext {
  public:
    WizardContext(WizardHost& host, WizardEnvironment& environment);

    WizardHost& host;
    WizardEnvironment& environment;
    ControlSet controls;
    celeb::PemmData record;
    int step = 0;
    bool fashion = false;  // the high-fashion body is being chosen
    std::string gameFolder;
    std::string startupDirectory;
    std::unique_ptr<preview::PreviewScene> scene;  // none until the game folder is known

    // The look-page lists; none before the preview is ready.
    [[nodiscard]] character::LookLists* looks() const;

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

    // The look pages' fashion flag, kept in the lists' inputs too.
    void setFashion(bool on);
};

}  // namespace marquill::wizard
