#pragma once
// A dialog as the host sees it: a template, the current state of its controls and the events it
// takes. The host builds the window from `dialogTemplate()`, shows `caption()` as its title,
// mirrors `controls()` after every event (and whenever `controlsChanged` is reported), and ends a
// modal run as soon as `result()` holds a value.
#include <optional>
#include <string>
#include <vector>

#include "wizard/ControlState.h"
#include "wizard/DialogTemplate.h"

namespace marquill::wizard {

enum class DialogResult : int { Ok = 1, Cancel = 2 };

class DialogModel {
  public:
    virtual ~DialogModel() = default;

    [[nodiscard]] virtual const ControlSet& controls() const = 0;
    [[nodiscard]] const DialogTemplate& dialogTemplate() const {
        return controls().dialogTemplate();
    }
    [[nodiscard]] const ControlState& control(int controlId) const {
        return controls().at(controlId);
    }
    [[nodiscard]] virtual std::string caption() const = 0;

    // A push button, toggle, picture or text pressed; id::kBackground for the dialog's surface.
    virtual void click(int controlId) = 0;
    // The player changed a list's selection.
    virtual void select(int /*controlId*/, const std::vector<int>& /*selection*/) {}
    virtual void enter() = 0;   // the default command (Enter)
    virtual void escape() = 0;  // the cancel command (Escape)
    virtual void close() = 0;   // the window's close box
    // Milliseconds after which the host calls timeout() once; 0 = never.
    [[nodiscard]] virtual int autoCloseMs() const { return 0; }
    virtual void timeout() {}

    // Set once the dialog has ended: the value a modal run returns.
    [[nodiscard]] virtual std::optional<int> result() const = 0;
};

}  // namespace marquill::wizard
