#pragma once
// The labels of a person's constant values (TRCN), a serialised record:
//   count(4); per entry: value(4), extra(4), label, description,
//   and from version 1: hasRange(1), rangeMin(2), rangeMax(2) (else 0, 0, 100).
#include <cstdint>
#include <string>
#include <vector>

#include "resfile/ReconStream.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

struct TreeConstant {
    int32_t value = 0;
    int32_t extra = 0;
    std::string label;
    std::string description;
    bool hasRange = false;
    int16_t rangeMin = 0;
    int16_t rangeMax = 100;
};

class cTreeConstants {
  public:
    static constexpr int32_t kWrittenVersion = 1;

    bool Reconstitute(ReconStream& stream, int32_t version);

    // Reads TRCN `id`; the object is unchanged on failure.
    ResCode Load(iResFile& file, int16_t id);
    // Stores as TRCN `id` in version 1 (empty name, native order).
    ResCode Store(iResFile& file, int16_t id);

    std::vector<TreeConstant> entries;
};

}  // namespace marquill::resfile
