#pragma once
// One IFF resource file of version 2.0 or 2.5, read and modified in place. Opening reads the
// map when the header names one (else walks the chain); data is read on first lookup. Writes
// invalidate the map first, so a program stopped before Close leaves a file that is still read
// correctly by walking the chain; Close writes pending resources, compacts when enough space
// is free and writes a fresh map (which lists every resource but itself).
#include "resfile/IFFChunkFile.h"

namespace marquill::resfile {

class IFFResFile2 : public IFFChunkFile {
  public:
    explicit IFFResFile2(platform::FileLayer& files = platform::diskFiles())
        : IFFChunkFile(ChunkLayout::Version2, files) {}
    ~IFFResFile2() override { CloseOnDestruction(); }

  protected:
    ResCode ParseHeader(std::span<const uint8_t> header, uint16_t& version,
                        uint32_t& mapOffset) override;
    [[nodiscard]] std::array<uint8_t, 64> MakeHeader(uint32_t mapOffset) override;
    [[nodiscard]] bool WritesMap() const override { return true; }
};

}  // namespace marquill::resfile
