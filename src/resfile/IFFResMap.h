#pragma once
// The resource map (type rsmp) of a version 2.5 file, serialised after the record prefix:
//   type count(4); per type: code(4), resource count(4);
//   per resource: chunk offset(4), id(2), flags(2), name (0-terminated, padded to even)
// The map never lists its own chunk.
#include <cstdint>

#include "resfile/ReconStream.h"
#include "resfile/ResTable.h"

namespace marquill::resfile {

class IFFResMap {
  public:
    explicit IFFResMap(ResTable& table) : table_(table) {}
    // Reading appends to the (empty) table; a map that lists an offset inside the file header
    // fails, so the file is scanned instead.
    bool Reconstitute(ReconStream& stream, int32_t version);

  private:
    ResTable& table_;
};

}  // namespace marquill::resfile
