// A Steam installation's libraryfolders.vdf, read while looking for the player's game.
#include <cstdint>
#include <span>

#include "platform/SteamLibraryFolders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto list = marquill::platform::readSteamLibraryFolders(std::span(data, size));
    if (!list.error.empty() && !list.paths.empty()) __builtin_trap();
    return 0;
}
