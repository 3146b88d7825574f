// A Wine prefix's system.reg, searched for the installer's record of the game folder.
#include <cstdint>
#include <string_view>

#include "platform/GameRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)marquill::platform::findGameFolderValue(
        std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
