#pragma once
// A family record (FAMI), serialised; v is the record's version:
//   value(4)
//   v < 5:  legacy name (string)
//   v > 0:  value(4)
//   v > 1:  three values(4)
//   v < 7:  flag(1) if v > 2, flag(1) if v > 3, flag(1) if v > 5
//   v >= 7: flag word(4)
//   family id != 0: member count(4), member GUIDs(4 each)
//   v > 7:  value(4)
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resfile/ReconStream.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

class cFamily {
  public:
    static constexpr int16_t kCelebrityFamilyId = 5000;
    static constexpr int32_t kLatestVersion = 8;

    bool Reconstitute(ReconStream& stream, int32_t version);

    // Reads FAMI `id` (the family id becomes `id`), then the family's name from string 1 of
    // FAMs `id` when the version is above 4, and touches FAMh `id`. Unchanged on failure.
    ResCode Load(iResFile& file, int16_t id);
    ResCode Store(iResFile& file, int16_t id, int32_t version = kLatestVersion);

    int32_t familyId = 0;  // the resource id; members are stored only for a non-zero id
    int32_t version = 0;   // as last read

    int32_t leadValue = 0;
    std::string legacyName;
    int32_t secondValue = 0;
    std::array<int32_t, 3> values{};
    bool flag1 = false;
    bool flag2 = false;
    bool flag3 = false;
    uint32_t flagWord = 0;
    std::vector<uint32_t> memberGuids;
    int32_t trailingValue = 0;

    std::string name;  // from the family-name strings
};

}  // namespace marquill::resfile
