#pragma once
// The library folders a Steam installation lists in steamapps/libraryfolders.vdf, a text "VDF"
// file of quoted keys and values and braced objects:
//
//   "libraryfolders"                       "LibraryFolders"
//   {                                      {
//       "0"                                    "TimeNextStatsReport"  "1690000000"
//       {                                      "1"                    "/mnt/games/Steam"
//           "path"   "/home/p/.steam"      }
//           "apps"   { "2280" "1234" }
//       }
//   }
//
// The current form (left) keeps each library's "path" in a numbered object; the old one (right)
// gives the path as the numbered key's value. Strings escape "\\", "\"", "\n" and "\t"; "//"
// starts a comment; a token may also be unquoted.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace marquill::platform {

struct SteamLibraryList {
    std::vector<std::string> paths;  // in the file's order
    std::string error;               // why the file could not be read; empty when it could
};

[[nodiscard]] SteamLibraryList readSteamLibraryFolders(std::span<const uint8_t> text);

}  // namespace marquill::platform
