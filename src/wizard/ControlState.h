#pragma once
// What a dialog's controls show at a moment, as the model keeps it: a view mirrors these and
// reports the user's actions back as events. Every change marks its control, so a view can be told
// which controls to read again.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/DialogTemplate.h"

namespace marquill::wizard {

struct ControlState {
    bool visible = true;
    bool enabled = true;
    std::string text;                // caption, edit text or static text
    std::vector<std::string> items;  // list entries, in display order
    std::vector<int> selection;      // selected entries, ascending; empty = none
    int rangeMin = 0, rangeMax = 0;  // sliders and the progress bar
    int position = 0;
    int tickFrequency = 0;  // sliders; 0 = no ticks
    bool pressed = false;   // toggle buttons
    int textLimit = 0;      // edits: most characters accepted; 0 = no limit

    // The first selected entry, or -1.
    [[nodiscard]] int selected() const { return selection.empty() ? -1 : selection.front(); }
    [[nodiscard]] std::string selectedText() const;
    bool operator==(const ControlState&) const = default;
};

// The states of one dialog's controls, built from its template.
class ControlSet {
  public:
    explicit ControlSet(const DialogTemplate& dialog);

    [[nodiscard]] const DialogTemplate& dialogTemplate() const { return *template_; }
    [[nodiscard]] bool contains(int controlId) const { return states_.count(controlId) != 0; }
    // An id the template lacks reads as a hidden, disabled, empty control.
    [[nodiscard]] const ControlState& at(int controlId) const;
    // For changing a control; marks it changed. An unknown id changes a scratch state only.
    ControlState& edit(int controlId);

    void show(int controlId, bool visible);
    void enable(int controlId, bool enabled);
    void setText(int controlId, std::string_view text);
    void setItems(int controlId, std::vector<std::string> items, std::vector<int> selection);
    // Single selection; -1 clears it.
    void select(int controlId, int index);
    void setRange(int controlId, int low, int high);
    void setPosition(int controlId, int position);
    void press(int controlId, bool pressed);

    // Adds an entry where the control keeps it: at the end, or in sorted place (ignoring case)
    // for a sorted list. Returns its index.
    int addItem(int controlId, std::string item);
    void removeItem(int controlId, int index);

    // The controls changed since the last call, ascending.
    [[nodiscard]] std::vector<int> takeChanged();
    [[nodiscard]] bool anyChanged() const { return !changed_.empty(); }

  private:
    const DialogTemplate* template_;
    std::map<int, ControlState> states_;
    std::set<int> changed_;
    ControlState scratch_;
};

}  // namespace marquill::wizard
