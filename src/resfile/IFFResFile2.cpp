#include "resfile/IFFResFile2.h"

#include "resfile/IFFHeader.h"

namespace marquill::resfile {

ResCode IFFResFile2::ParseHeader(std::span<const uint8_t> header, uint16_t& version,
                                 uint32_t& mapOffset) {
    auto info = ParseIFFHeader2(header);
    if (!info) return kResBadHeader;
    version = info->version;
    mapOffset = info->mapOffset;
    return kResOk;
}

std::array<uint8_t, 64> IFFResFile2::MakeHeader(uint32_t mapOffset) {
    return MakeIFFHeader2(mapOffset);
}

}  // namespace marquill::resfile
