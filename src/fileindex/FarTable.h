#pragma once
// The table of contents of a FAR archive. All integers little-endian 32-bit:
//   0   signature (8 bytes, not checked)   8   version (not checked)   12  table offset
//   table: entry count, then per entry: data length, second length (unused), data offset from
//   the start of the archive, name length n, n bytes of name ("\"-separated sub-folders allowed).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace marquill::fileindex {

struct FarEntry {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
};

struct FarTable {
    std::vector<FarEntry> entries;  // the entries read completely, in table order
    bool complete = false;          // false when the header or some entry could not be read
};

// Entries whose data would lie outside the archive are left out: reading them could only fail.
[[nodiscard]] FarTable readFarTable(std::span<const uint8_t> archive);

}  // namespace marquill::fileindex
