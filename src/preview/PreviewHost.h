#pragma once
// What the preview scene needs from the dialog that shows it: the status line, the message
// dialog, the quit request, the cursor, whether the window is in front, the look page's default
// button states, the sounds, and the frame timer, which the dialog owns.
#include <string_view>

#include "platform/SoundPlayer.h"

namespace marquill::preview {

enum class Cursor { Arrow, Wait };

class PreviewHost {
  public:
    virtual ~PreviewHost() = default;
    virtual void setStatus(std::string_view text) = 0;
    virtual void showMessage(std::string_view title, std::string_view message) = 0;
    virtual void postQuit(int exitCode) = 0;
    virtual void setCursor(Cursor cursor) = 0;
    [[nodiscard]] virtual bool isForeground() const = 0;
    // Body type "Fit" and skin colour "Medium" selected in the dialog's controls.
    virtual void defaultButtonStates() = 0;
    // The preview is ready: the dialog limits its name and description fields.
    virtual void previewReady() = 0;
    virtual platform::SoundPlayer& sounds() = 0;
    // The period the frame timer should now run at; 0 stops it.
    virtual void timerChanged(int periodMs) = 0;
};

}  // namespace marquill::preview
