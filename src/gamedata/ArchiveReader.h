#pragma once
// The archives players share celebrities in (zip, 7z, rar 4 and 5, tar plain or compressed with
// gzip, bzip2, xz or zstd), read from memory. Only those formats and in-process filters are
// enabled: a catch-all reader would also take formats that name files on the reader's own disk
// and filters that start outside programs.
//
// Every limit counts the bytes the decoders really produce, never the sizes headers claim. Any
// hostile or broken entry refuses the whole archive: what an archive built to harm holds besides
// is not trusted either.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marquill::gamedata {

struct ArchiveLimits {
    uint64_t entryBytes = 32ull << 20;
    uint64_t archiveBytes = 256ull << 20;
    uint64_t ratio = 100;  // produced bytes per byte of the archive
    uint64_t entries = 10000;
};

// What is left of the budget shared by every archive of one installation.
struct ByteBudget {
    uint64_t remaining = 1ull << 30;
};

struct ArchiveMember {
    std::string path;            // as stored, '/' separated
    std::vector<uint8_t> bytes;  // empty unless kept
    uint64_t size = 0;           // the bytes produced
    bool kept = false;
};

struct ArchiveContents {
    std::vector<ArchiveMember> members;  // regular files, in archive order
    std::string refusal;                 // empty when the archive was read whole
    [[nodiscard]] bool ok() const { return refusal.empty(); }
};

// Whether a member's bytes are wanted (they are produced and counted either way).
using KeepMember = std::function<bool(std::string_view path)>;

// Whether `bytes` start like one of the archive formats read here.
[[nodiscard]] bool looksLikeArchive(std::span<const uint8_t> bytes);

[[nodiscard]] ArchiveContents readArchive(std::span<const uint8_t> bytes, const KeepMember& keep,
                                          ByteBudget& budget, const ArchiveLimits& limits = {});

}  // namespace marquill::gamedata
