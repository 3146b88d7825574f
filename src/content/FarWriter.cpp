#include "content/FarWriter.h"

namespace marquill::content {

bool writeFar(const std::vector<FarFile>& files, platform::ByteSink& out) {
    uint64_t tableOffset = 16;
    for (const FarFile& f : files)
        tableOffset += f.data.size();
    if (tableOffset > UINT32_MAX) return false;  // offsets are 32-bit
    out.text("FAR!byAZ");
    out.u32le(1);
    out.u32le(static_cast<uint32_t>(tableOffset));
    for (const FarFile& f : files)
        out.write(f.data.data(), f.data.size());
    out.u32le(static_cast<uint32_t>(files.size()));
    uint32_t offset = 16;
    for (const FarFile& f : files) {
        const auto size = static_cast<uint32_t>(f.data.size());
        out.u32le(size);
        out.u32le(size);
        out.u32le(offset);
        out.u32le(static_cast<uint32_t>(f.name.size()));
        out.text(f.name);
        offset += size;
    }
    return !out.failed();
}

}  // namespace marquill::content
