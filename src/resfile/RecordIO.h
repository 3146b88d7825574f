#pragma once
// Serialised records stored as resources. The stored form:
//   0  1  byte-order flag: 0 = fields little-endian, non-zero = big-endian
//   1  3  0
//   4  4  version (little-endian)
//   8  4  the record's code (little-endian)
//  12  …  the fields
#include <cstdint>
#include <span>

#include "resfile/MemoryBlock.h"
#include "resfile/ReconObject.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

inline constexpr size_t kRecordPrefixSize = 12;

// Measures the record and writes prefix and fields into a new block; none when the block
// cannot be had (the memory error is in the block manager).
[[nodiscard]] MemoryBlock* WriteRecord(ReconObject& record, int32_t version);
// Reads a stored record; -1 when the data is shorter than its fields.
[[nodiscard]] ResCode ReadRecord(std::span<const uint8_t> data, ReconObject& record,
                                 int32_t* version = nullptr);

// The conversion routine for records stored big-endian: flags the prefix and turns the
// version and code words round, leaving the fields to be swapped as they are read.
void ConvertRecord(uint8_t* data, size_t length);

// Adds the record under its code and id (empty name, native order) and writes it; on a failed
// write the resource is removed again.
ResCode StoreRecord(iResFile& file, ReconObject& record, int16_t id, int32_t version);
// Loads the record stored under its code and id. A failed read may leave the record partly
// filled: read into a fresh record and keep it only on success.
ResCode LoadRecord(iResFile& file, ReconObject& record, int16_t id, int32_t* version = nullptr);

}  // namespace marquill::resfile
