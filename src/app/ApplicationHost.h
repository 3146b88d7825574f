#pragma once
// What the application needs from the front end it runs in: the colours of every dialog, the
// host the wizard talks to, and a main window for the wizard.
#include <cstdint>

#include "wizard/CMarquillDlg.h"
#include "wizard/WizardHost.h"

namespace marquill::app {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kDialogBackground{229, 123, 4};
inline constexpr Rgb kDialogText{255, 255, 255};

class ApplicationHost {
  public:
    virtual ~ApplicationHost() = default;

    // Once, before the first dialog: every dialog of the application is painted in these.
    virtual void setDialogColours(Rgb background, Rgb text) = 0;
    // The host of the wizard and of its dialogs.
    virtual wizard::WizardHost& wizardHost() = 0;
    // Runs the wizard as the main window, modally: builds the window from the dialog's template,
    // calls initDialog() (the splash and the start-up checks run inside it), shows the window
    // unless the dialog has ended already, forwards the window's events to the dialog, and
    // returns once result() holds a value.
    virtual void runWizard(wizard::CMarquillDlg& dialog) = 0;
};

}  // namespace marquill::app
