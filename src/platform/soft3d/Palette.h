#pragma once
#include <array>
#include <cstdint>

#include "platform/soft3d/RefCounted.h"

namespace marquill::platform::soft3d {

struct PaletteEntry {
    enum Flag : uint8_t { kFree = 0, kReserved = 1, kReadOnly = 2, kNoCollapse = 4 };
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using PaletteEntries = std::array<PaletteEntry, 256>;

class Palette final : public RefCounted {
  public:
    explicit Palette(const PaletteEntries& entries) : entries_(entries) {}
    [[nodiscard]] const PaletteEntries& entries() const { return entries_; }
    void setEntries(const PaletteEntries& entries) { entries_ = entries; }

  private:
    PaletteEntries entries_;
};

}  // namespace marquill::platform::soft3d
