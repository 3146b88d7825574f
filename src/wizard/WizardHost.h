#pragma once
// What the wizard needs from the window system it runs in. The Qt front end implements this; tests
// use recording fakes. Everything is called on the user-interface thread; the modal calls nest a
// message loop and return when the dialog has ended. The wizard itself answers the preview scene's
// host calls (status line, messages, cursor, timer) by forwarding them here, so a front end
// implements this interface only.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "celeb/SaveSequence.h"
#include "platform/SoundPlayer.h"
#include "preview/PreviewHost.h"
#include "wizard/DialogModel.h"
#include "wizard/PreviewFrame.h"

namespace marquill::wizard {

// The preview asks for the same two cursors.
using Cursor = preview::Cursor;

class WizardHost {
  public:
    virtual ~WizardHost() = default;

    // --- Modal dialogs -------------------------------------------------------------------------
    // Runs a dialog modally: the message dialog (CPemmSaved), the confirmation (CDMOKCancel), the
    // neighbourhood picker (MarquillPickNhood), the About dialog and the splash (IDD_TITLE, which
    // closes itself through autoCloseMs()). Returns the model's result.
    virtual int runModal(DialogModel& dialog) = 0;
    // The platform's save-file dialog: hides the read-only box, asks before overwriting, leaves
    // the current folder alone. None when the user cancels.
    virtual std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest& request) = 0;
    // The platform's folder dialog, starting in `initialFolder`; none when the user cancels.
    virtual std::optional<std::string> chooseFolder(std::string_view /*title*/,
                                                    const std::string& /*initialFolder*/) {
        return std::nullopt;
    }

    // The platform's open-file dialog for one existing file, starting in `initialFolder`, with a
    // filter as the save dialog's; none when the user cancels.
    virtual std::optional<std::string> chooseOpenPath(std::string_view /*title*/,
                                                      std::string_view /*filter*/,
                                                      const std::string& /*initialFolder*/) {
        return std::nullopt;
    }

    // --- The wizard window ---------------------------------------------------------------------
    // The listed controls of the wizard changed; read them again from the model.
    virtual void controlsChanged(const std::vector<int>& controlIds) = 0;
    // Paint what has changed now, inside a long operation.
    virtual void redraw() = 0;
    // The preview presented a new frame; repaint what changed of the preview area from it. The
    // pixels stay where they are until the next frame.
    virtual void previewChanged(const PreviewFrame& frame) = 0;
    // "large" and "small" name the icon pictures.
    virtual void setIcon(std::string_view large, std::string_view small) = 0;
    // An item of the window's system menu; choosing it calls CMarquillDlg::systemMenu(command).
    // An empty text is a separator.
    virtual void appendSystemMenuItem(std::string_view text, int command) = 0;
    // Tool tips in registration order; a control keeps the first text registered for it.
    virtual void addToolTip(int controlId, std::string_view text) = 0;
    virtual void setCursor(Cursor cursor) = 0;
    // The wizard window is the foreground window.
    [[nodiscard]] virtual bool isForeground() const = 0;

    // --- Frame timer (id 27) -------------------------------------------------------------------
    // Calls CMarquillDlg::timerTick() every periodMs; 0 stops it.
    virtual void setFrameTimer(int periodMs) = 0;

    // --- Shell, sounds, trace ------------------------------------------------------------------
    // Opens a document or a web address with the desktop's associated program, without waiting.
    virtual void openShell(std::string_view pathOrAddress) = 0;
    virtual platform::SoundPlayer& sounds() = 0;
    // One line of the diagnostic trace ("The Pemms Marquill: Tool Initialized"); no visible output.
    virtual void trace(std::string_view line) = 0;

    // --- End ------------------------------------------------------------------------------------
    // Ends the wizard dialog; the application then ends.
    virtual void endDialog(DialogResult result) = 0;
    // The application's quit request with an exit code (the dialog ends as well).
    virtual void postQuit(int exitCode) = 0;
};

}  // namespace marquill::wizard
