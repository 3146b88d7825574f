#pragma once
// The celebrity being designed, the one copy the wizard keeps of it: the appearance selection the
// look pages edit (the preview's lists edit it in place, and a person chosen in the import lists
// replaces it), and the record, into which Next stores each page's fields once its checks pass.
// The controls show the design; no page keeps a copy of its own.
#include <string>

#include "celeb/PemmData.h"
#include "character/Appearance.h"

namespace marquill::wizard {

struct Design {
    character::LookSelection look;
    celeb::PemmData record;
    // The file name (without folder and extension) of the saved celebrity opened last, which the
    // save proposes when it differs from the record's name; empty when none was opened.
    std::string openedName;
};

}  // namespace marquill::wizard
