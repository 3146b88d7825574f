// Every edit of a 31-resource file, cut off at every single write: stopped there (a kill) or
// failing there (a full disk), in place and on a scratch copy. The rules checked are in
// fuzz/CutOffSession.h; the random mix of longer sessions runs through the resfile_cutoff fuzz
// target's seeds.
#include <gtest/gtest.h>

#include <cstdio>

#include "../../fuzz/CutOffSession.h"

namespace marquill::cutoff {
namespace {

struct NamedSession {
    const char* name;
    std::vector<Op> ops;
};

// Key 12 holds 2404 bytes in the old file.
std::vector<NamedSession> Edits() {
    std::vector<NamedSession> edits = {
        {"add", {{OpKind::Add, 33, 300, 1}}},
        {"rewrite shorter in its own space", {{OpKind::Add, 12, 1500, 2}}},
        {"rewrite a little shorter", {{OpKind::Add, 12, 2380, 3}}},
        {"rewrite the same length", {{OpKind::Add, 12, 2404, 4}}},
        {"rewrite longer", {{OpKind::Add, 12, 4000, 5}}},
        {"rewrite in place", {{OpKind::Rewrite, 12, 0, 6}}},
        {"remove", {{OpKind::Remove, 5, 0, 0}}},
        {"several",
         {{OpKind::Remove, 20, 0, 0},
          {OpKind::Add, 21, 2500, 7},
          {OpKind::Add, 35, 100, 8},
          {OpKind::Rewrite, 22, 0, 9}}},
    };
    // Enough space freed that closing compacts the file.
    NamedSession compaction{"compaction", {}};
    for (int key : {5, 9, 16, 23, 30, 2, 26})
        compaction.ops.push_back({OpKind::Remove, key, 0, 0});
    compaction.ops.push_back({OpKind::Add, 3, 900, 10});
    edits.push_back(compaction);
    return edits;
}

TEST(CutOff, EveryEditSurvivesAKillOrAFullDiskAtEveryWrite) {
    const auto base = BaseFile();
    int edits = 0, cutOffPoints = 0, cases = 0;
    for (const auto& edit : Edits()) {
        for (Where where : {Where::InPlace, Where::ScratchCopy}) {
            const Session session{edit.ops, where};
            const Reference ref = ReferenceFor(session, base);
            ASSERT_FALSE(ref.outcome.failureReported) << edit.name;
            ASSERT_NE(ref.newFile, ref.oldFile) << edit.name;
            ++edits;
            cutOffPoints += static_cast<int>(ref.writes) + 1;
            for (Cut cut : {Cut::Stop, Cut::Fail}) {
                for (uint64_t n = cut == Cut::Stop ? 0 : 1; n <= ref.writes; ++n) {
                    ++cases;
                    const std::string error = RunCutOff(session, ref, cut, n);
                    EXPECT_EQ(error, "")
                        << edit.name << (where == Where::InPlace ? ", in place" : ", scratch copy")
                        << (cut == Cut::Stop ? ", stopped after write " : ", failing write ") << n
                        << " of " << ref.writes;
                }
            }
        }
    }
    std::printf("cut-off harness: %d edits, %d cut-off points, %d cases\n", edits, cutOffPoints,
                cases);
}

TEST(CutOff, CompactionLeavesExactlyThePackedChunksAndTheMap) {
    const auto base = BaseFile();
    platform::MemoryFiles files;
    files.put(kPath, base);
    IFFResFile2 file(files);
    ASSERT_EQ(file.Open(kPath, Access::ReadWrite), kResOk);
    Outcome outcome;
    const auto edits = Edits();
    ASSERT_EQ(ApplyOps(file, edits.back().ops, outcome), kResOk);
    ASSERT_GT(file.FreeBytes(), kCompactionThreshold);

    // What a plain copy down gives: every live chunk but the map's, in chain order.
    const auto before = *files.bytesOf(kPath);
    std::vector<uint8_t> packed;
    for (size_t pos = 64; pos + 8 <= before.size();) {
        const size_t size = size_t{before[pos + 4]} << 24 | size_t{before[pos + 5]} << 16 |
                            size_t{before[pos + 6]} << 8 | before[pos + 7];
        const bool free = before[pos + 11] & kFlagFree;
        const bool map = std::equal(before.begin() + static_cast<long>(pos),
                                    before.begin() + static_cast<long>(pos) + 4, "rsmp");
        if (!free && !map)
            packed.insert(packed.end(), before.begin() + static_cast<long>(pos),
                          before.begin() + static_cast<long>(pos + size));
        pos += size;
    }
    ASSERT_EQ(file.Close(), kResOk);
    const auto after = *files.bytesOf(kPath);
    ASSERT_GT(after.size(), 64 + packed.size());
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), after.begin() + 64));
    // The map follows the packed chunks directly and is what the header names.
    const size_t mapAt = 64 + packed.size();
    EXPECT_TRUE(std::equal(after.begin() + static_cast<long>(mapAt),
                           after.begin() + static_cast<long>(mapAt) + 4, "rsmp"));
    EXPECT_EQ(
        size_t{after[60]} << 24 | size_t{after[61]} << 16 | size_t{after[62]} << 8 | after[63],
        mapAt);
}

}  // namespace
}  // namespace marquill::cutoff
