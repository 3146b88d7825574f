#pragma once
// Step 3: the name and the description of the celebrity.
#include <optional>
#include <string_view>

#include "celeb/RecordChecks.h"

#include "wizard/WizardContext.h"

namespace marquill::wizard {

class NamePage {
  public:
    static constexpr int kNameLimit = 30;
    static constexpr int kDescriptionLimit = 1024;

    explicit NamePage(WizardContext& context) : c_(context) {}

    void show();
    // The text as the edit holds it (cut to its limit, if it has one).
    void edited(int controlId, std::string_view text);
    void focus(int controlId, bool gained);
    [[nodiscard]] bool next();
    // The fields from the record (a saved celebrity was opened).
    void load(const celeb::PemmData& record);
    // The preview is ready: the edits take no more than their limits from now on.
    void limitFields();

  private:
    [[nodiscard]] bool bothFilled() const;
    // Shows the refusal, if there is one.
    bool refused(const std::optional<celeb::Refusal>& refusal);
    WizardContext& c_;
};

}  // namespace marquill::wizard
