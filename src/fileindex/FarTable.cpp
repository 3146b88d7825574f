#include "fileindex/FarTable.h"

#include "platform/ByteReader.h"

namespace marquill::fileindex {

FarTable readFarTable(std::span<const uint8_t> archive) {
    FarTable table;
    platform::ByteReader r(archive);
    auto signature = r.bytes(8);
    auto version = r.u32le();
    auto tocOffset = r.u32le();
    if (!signature || !version || !tocOffset || !r.seek(*tocOffset)) return table;
    auto count = r.i32le();
    if (!count) return table;
    // Each entry takes at least 16 bytes, so a count larger than that is cut short below.
    for (int32_t i = 0; i < *count; ++i) {
        auto length = r.u32le();
        auto length2 = r.u32le();
        auto offset = r.u32le();
        auto nameLength = r.u32le();
        if (!length || !length2 || !offset || !nameLength) return table;
        auto name = r.chars(*nameLength);
        if (!name) return table;
        if (uint64_t{*offset} + *length > archive.size()) continue;
        table.entries.push_back({std::move(*name), *offset, *length});
    }
    table.complete = true;
    return table;
}

}  // namespace marquill::fileindex
