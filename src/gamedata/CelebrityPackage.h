#pragma once
// A celebrity set as players share it: the person file B.iff with, when present, the exchange
// file B.srf and the snapshots Bhead.jpg and Bbody.jpg (names matched without regard to case;
// folders inside an archive do not matter). This file groups what an archive or a list of loose
// files holds into sets and checks each file before anything is installed.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/ArchiveReader.h"
#include "image/JpegDecoder.h"
#include "platform/FileLayer.h"

namespace marquill::gamedata {

enum class SetPart { PersonFile, ExchangeFile, HeadSnapshot, BodySnapshot };
inline constexpr size_t kSetParts = 4;
// The suffix each part has after the set's name, in the spelling Marquill installs.
inline constexpr std::array<std::string_view, kSetParts> kPartSuffixes = {".iff", ".srf",
                                                                          "head.jpg", "body.jpg"};
inline constexpr uint64_t kMaxExchangeFileBytes = 64 * 1024;

// One line of what an installation did or left.
struct AddLine {
    enum class Kind { Installed, InstalledAs, AlreadyThere, Refused, Duplicate, LeftOut };
    Kind kind = Kind::Refused;
    std::string source;       // the file given to install
    std::string name;         // the set's name; for a file left out, its path in the source
    std::string installedAs;  // the name it lies under in TemplateCelebrity
    std::string reason;
};

struct CelebritySet {
    std::string name;  // the person file's spelling
    std::string source;
    std::array<std::optional<std::vector<uint8_t>>, kSetParts> files;
    [[nodiscard]] const std::optional<std::vector<uint8_t>>& part(SetPart p) const {
        return files[static_cast<size_t>(p)];
    }
};

struct SetFile {
    std::string path;  // folders inside the source, '/' separated
    std::vector<uint8_t> bytes;
};

struct GroupedSets {
    std::vector<CelebritySet> sets;
    std::vector<AddLine> lines;  // duplicates and files left out
};

// The part a file name is and the set name before its suffix; none for any other file.
[[nodiscard]] std::optional<std::pair<SetPart, std::string>> setPartOf(std::string_view fileName);
// Whether a name is that of an archive (left out when found inside one).
[[nodiscard]] bool isArchiveName(std::string_view fileName);

[[nodiscard]] GroupedSets groupSets(const std::string& source, std::vector<SetFile> files);

// The file of `part` beside the person file `personFile` in `folder`, as spelled there; none when
// the set has no such file.
[[nodiscard]] std::optional<std::string> companionPath(
    const std::string& folder, const std::string& personFile, SetPart part,
    platform::FileLayer& files = platform::diskFiles());

// What step 10 shows of a celebrity file beside its name: who it is and the head snapshot.
struct CelebrityFileRow {
    std::string fileName;
    std::string displayName;  // UTF-8; empty when the file cannot be read
    std::optional<std::string> headSnapshot;
};
[[nodiscard]] CelebrityFileRow describeCelebrityFile(
    const std::string& folder, const std::string& fileName,
    platform::FileLayer& files = platform::diskFiles());

// Why a set cannot be installed as it is; empty when every file passes. With a decoder, each
// snapshot must also decode whole; without one (no image module) its structure is checked.
[[nodiscard]] std::string setProblem(const CelebritySet& set,
                                     const image::JpegDecoder* decoder = nullptr);

}  // namespace marquill::gamedata
