#pragma once
// Which persons of a neighbourhood are celebrities: those whose GUID is a member of the
// neighbourhood's celebrity family (FAMI 5000). The person files are walked in name order until
// as many celebrities are found as the family has members.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/GamePaths.h"

namespace marquill::gamedata {

struct CelebrityEntry {
    std::string fileName;     // "User00012.iff"
    std::string displayName;  // UTF-8
    uint32_t guid = 0;
    // "User00012.iff   -   Name", as the list shows it.
    [[nodiscard]] std::string listText() const;
};

struct CelebritySearchResult {
    std::vector<uint32_t> guids;  // the family's members, in order
    std::vector<CelebrityEntry> entries;
    std::vector<std::string> skipped;  // person files that could not be read, or have no OBJD
    size_t examined = 0;
    [[nodiscard]] bool found() const { return !guids.empty(); }
};

// Status text and the progress bar's position and range.
using ScanProgress = std::function<void(std::string_view status, int position, int count)>;

// The member GUIDs of FAMI 5000; none when the file cannot be opened, has no such family or the
// family has no members.
[[nodiscard]] std::vector<uint32_t> readCelebrityGuids(const std::string& neighborhoodFile);

[[nodiscard]] CelebritySearchResult searchCelebrities(const GamePaths& paths, int neighborhood,
                                                      const ScanProgress& progress = {});

// The file name a list entry stands for: its text up to the first blank.
[[nodiscard]] std::string entryFileName(std::string_view listText);

// The celebrity files offered for import: TemplateCelebrity/*.iff in name order, never the
// generic template "QTCelebGeneric.iff".
[[nodiscard]] std::vector<std::string> listCelebrityFiles(const GamePaths& paths,
                                                          const ScanProgress& progress = {});

}  // namespace marquill::gamedata
