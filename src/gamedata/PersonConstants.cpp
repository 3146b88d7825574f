#include "gamedata/PersonConstants.h"

#include <utility>

#include "gamedata/PersonFile.h"
#include "platform/ByteReader.h"
#include "resfile/MemoryBlock.h"

namespace marquill::gamedata {

using namespace resfile;

void convertConstants(uint8_t* data, size_t length) {
    if (length < 2) return;
    std::swap(data[0], data[1]);
    const size_t count =
        (static_cast<size_t>(data[0]) | static_cast<size_t>(data[1]) << 8) & 0x7FFF;
    for (size_t i = 0; i < count && 2 + 2 * i + 1 < length; ++i)
        std::swap(data[2 + 2 * i], data[3 + 2 * i]);
}

bool readPersonConstants(iResFile& file, PersonConstants* out) {
    MemoryBlock* block = file.GetResource(kTypeConstants, kConstantsId, convertConstants);
    if (!block) return false;
    (void)file.GetResourceName(block, out->name);
    platform::ByteReader reader(block->Bytes());
    bool ok = false;
    if (auto word = reader.u16le()) {
        out->flag = *word & 0x8000;
        out->storedCount = *word & 0x7FFF;
        ok = true;
        for (size_t i = 0; i < out->storedCount; ++i) {
            auto v = reader.i16le();
            if (!v) break;  // the stored count is never read past
            out->values.push_back(*v);
        }
    }
    (void)Release(file, block);
    return ok;
}

}  // namespace marquill::gamedata
