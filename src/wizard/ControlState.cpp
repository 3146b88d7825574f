#include "wizard/ControlState.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace marquill::wizard {

std::string ControlState::selectedText() const {
    const int i = selected();
    if (i < 0 || static_cast<size_t>(i) >= items.size()) return {};
    return items[static_cast<size_t>(i)];
}

ControlSet::ControlSet(const DialogTemplate& dialog) : template_(&dialog) {
    for (const ControlLayout& layout : dialog.controls) {
        ControlState s;
        s.visible = !layout.has(style::kHidden);
        s.text = std::string(layout.caption);
        for (std::string_view item : layout.items)
            s.items.emplace_back(item);
        states_[layout.id] = std::move(s);
    }
    scratch_.visible = false;
    scratch_.enabled = false;
}

const ControlState& ControlSet::at(int controlId) const {
    auto it = states_.find(controlId);
    if (it == states_.end()) {
        static const ControlState missing{false, false};
        return missing;
    }
    return it->second;
}

ControlState& ControlSet::edit(int controlId) {
    auto it = states_.find(controlId);
    if (it == states_.end()) {
        scratch_ = ControlState{false, false};
        return scratch_;
    }
    changed_.insert(controlId);
    return it->second;
}

void ControlSet::show(int controlId, bool visible) {
    if (at(controlId).visible != visible) edit(controlId).visible = visible;
}

void ControlSet::enable(int controlId, bool enabled) {
    if (at(controlId).enabled != enabled) edit(controlId).enabled = enabled;
}

void ControlSet::setText(int controlId, std::string_view text) {
    if (at(controlId).text != text) edit(controlId).text = std::string(text);
}

void ControlSet::setItems(int controlId, std::vector<std::string> items,
                          std::vector<int> selection) {
    const ControlState& s = at(controlId);
    if (s.items == items && s.selection == selection) return;
    ControlState& e = edit(controlId);
    e.items = std::move(items);
    e.selection = std::move(selection);
}

void ControlSet::select(int controlId, int index) {
    const ControlState& s = at(controlId);
    std::vector<int> sel;
    if (index >= 0 && static_cast<size_t>(index) < s.items.size()) sel.push_back(index);
    if (s.selection != sel) edit(controlId).selection = std::move(sel);
}

void ControlSet::setRange(int controlId, int low, int high) {
    const ControlState& s = at(controlId);
    if (s.rangeMin == low && s.rangeMax == high) return;
    ControlState& e = edit(controlId);
    e.rangeMin = low;
    e.rangeMax = high;
    e.position = std::clamp(e.position, low, std::max(low, high));
}

void ControlSet::setPosition(int controlId, int position) {
    const ControlState& s = at(controlId);
    const int p = std::clamp(position, s.rangeMin, std::max(s.rangeMin, s.rangeMax));
    if (s.position != p) edit(controlId).position = p;
}

void ControlSet::press(int controlId, bool pressed) {
    if (at(controlId).pressed != pressed) edit(controlId).pressed = pressed;
}

int ControlSet::addItem(int controlId, std::string item) {
    ControlState& e = edit(controlId);
    size_t index = e.items.size();
    const ControlLayout* layout = template_->find(controlId);
    if (layout && layout->has(style::kSorted)) {
        const std::string key = platform::toLowerAscii(item);
        index = 0;
        while (index < e.items.size() && platform::toLowerAscii(e.items[index]) <= key)
            ++index;
    }
    e.items.insert(e.items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    for (int& sel : e.selection)
        if (sel >= static_cast<int>(index)) ++sel;
    return static_cast<int>(index);
}

void ControlSet::removeItem(int controlId, int index) {
    const ControlState& s = at(controlId);
    if (index < 0 || static_cast<size_t>(index) >= s.items.size()) return;
    ControlState& e = edit(controlId);
    e.items.erase(e.items.begin() + index);
    std::vector<int> sel;
    for (int i : e.selection) {
        if (i == index) continue;
        sel.push_back(i > index ? i - 1 : i);
    }
    e.selection = std::move(sel);
}

std::vector<int> ControlSet::takeChanged() {
    std::vector<int> ids(changed_.begin(), changed_.end());
    changed_.clear();
    return ids;
}

}  // namespace marquill::wizard
