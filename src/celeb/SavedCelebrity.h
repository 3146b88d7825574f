#pragma once
// A celebrity Marquill saved, read back from its person file for the wizard to fill its pages
// and for a new save: the record and the appearance, with what had to be repaired to get there.
#include <string>
#include <vector>

#include "celeb/PemmData.h"
#include "character/Appearance.h"
#include "platform/FileLayer.h"

namespace marquill::celeb {

struct SavedCelebrity {
    int code = 0;            // 0, or the resource layer's code when the person file is unreadable
    std::string error;       // why, naming the file, when code is not 0
    std::string personFile;  // the B.iff read
    PemmData record;         // interests as the page would order the three groups
    character::Appearance appearance;
    // The interest ids by stored value (1000, 500, 100) after repairs, top and middle in id order,
    // low sorted by name as its list keeps itself; a group need not hold five.
    std::vector<int> top, middle, low;
    std::vector<std::string> repairs;  // one line each
    // Resource types and ids ("TYPE ID") the file holds and the template lacks; a new save does
    // not carry them.
    std::vector<std::string> extraResources;

    [[nodiscard]] bool ok() const { return code == 0; }
};

// `path` is B.iff, or B.srf for the B.iff beside it. `templatePath`, when given, is the file the
// saves start from, for `extraResources`.
[[nodiscard]] SavedCelebrity readSavedCelebrity(const std::string& path,
                                                const std::string& templatePath = {},
                                                platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::celeb
