#pragma once
// One IFF resource file of version 1.0: the fixed header
//   "IFF FILE 1.0:TYPE FOLLOWED BY SIZE" 0 " QUENTIL ABRAMO & KAVOR 1996" 0
// and 16-byte chunk headers naming their resource by a key into the name list (the internal
// resource NAME 0). Chunks flagged 0x0008 form a second, internal list that lookups do not
// see. There is no map: opening always walks the chain. Space reuse and compaction work as for
// version 2.
#include "resfile/IFFChunkFile.h"
#include "resfile/IFFNameList.h"

namespace marquill::resfile {

inline constexpr uint16_t kFlagInternal = 0x0008;

class IFFResFile : public IFFChunkFile {
  public:
    explicit IFFResFile(platform::FileLayer& files = platform::diskFiles())
        : IFFChunkFile(ChunkLayout::Version1, files) {}
    ~IFFResFile() override { CloseOnDestruction(); }

    // Chunks of the internal list, for tests and listings.
    [[nodiscard]] int CountInternal() const;

  protected:
    ResCode ParseHeader(std::span<const uint8_t> header, uint16_t& version,
                        uint32_t& mapOffset) override;
    [[nodiscard]] std::array<uint8_t, 64> MakeHeader(uint32_t mapOffset) override;
    [[nodiscard]] bool WritesMap() const override { return false; }
    void TakeScannedChunk(const ChunkHeader& header, uint64_t offset) override;
    void AfterOpen() override;
    void NameChunkHeader(ResEntry& entry, ChunkHeader& header) override;
    ResCode UpdateExtras() override;
    void ChunkMoved(uint64_t from, uint64_t to) override;
    void ForgetExtras() override;

  private:
    ResTable internal_;
    IFFNameList names_;
    ResEntry* nameEntry_ = nullptr;
};

}  // namespace marquill::resfile
