#include <gtest/gtest.h>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StackString.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"

namespace marquill::resfile {
namespace {

using testing::BlockOf;
using testing::Data;
using testing::TempDir;

class StringFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(file.Create(path), kResOk);
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    }
    void Store(ResType type, int16_t id, const std::vector<uint8_t>& bytes,
               DataOrder order = DataOrder::Native, const std::string& name = "") {
        MemoryBlock* block = BlockOf(bytes);
        ASSERT_EQ(file.AddResource(block, type, id, name, order), kResOk);
        ASSERT_EQ(file.WriteResource(block), kResOk);
    }
    std::vector<uint8_t> Stored(ResType type, int16_t id) {
        MemoryBlock* block = file.GetResource(type, id);
        return block ? Data(block) : std::vector<uint8_t>{};
    }

    TempDir dir;
    std::string path = dir.File("strings.iff");
    IFFResFile2 file;
};

TEST_F(StringFile, SavingTwoStringsWritesTheKnown13Bytes) {
    StringSet set;
    EXPECT_NE(set.Load(file, 300), kResOk);
    set.Set(1, "a");
    set.Set(2, "bc");
    set.Set(5, "ignored");
    ASSERT_EQ(set.Save(), kResOk);
    EXPECT_EQ(Stored(kTypeStrings, 300),
              (std::vector<uint8_t>{0xFD, 0xFF, 0x02, 0x00, 0x01, 0x61, 0x00, 0x00, 0x01, 0x62,
                                    0x63, 0x00, 0x00}));
}

TEST_F(StringFile, ReadsEveryStoredForm) {
    Store(kTypeStrings, 1, {2, 0, 3, 'd', 213, 't', 2, 161, 'k'});
    Store(kTypeStrings, 2, {0xFF, 0xFF, 2, 0, 'a', 0, 'b', 0});
    Store(kTypeStrings, 3, {0xFE, 0xFF, 1, 0, 's', 0, 'c', 0});
    Store(kTypeTextStrings, 4, {'x', '^', 'o', 'n', 'e', '^', ' ', '^', '^', '^', 't'});
    StringSet set;
    ASSERT_EQ(set.Load(file, 1), kResOk);
    EXPECT_EQ(set.Get(1), "d't");
    EXPECT_EQ(set.Get(2), "ok");
    ASSERT_EQ(set.Load(file, 2), kResOk);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Get(2), "b");
    ASSERT_EQ(set.Load(file, 3), kResOk);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Get(1), "s");
    ASSERT_EQ(set.Load(file, 4), kResOk);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Get(1), "one");
    EXPECT_EQ(set.Get(2), "");
    EXPECT_EQ(set.Get(3), std::nullopt);
}

TEST_F(StringFile, BigEndianPlainListsAreConverted) {
    Store(kTypeStrings, 1, {0xFF, 0xFF, 0, 2, 'a', 0, 'b', 0}, DataOrder::BigEndian);
    Store(kTypeStrings, 2, {0, 1, 1, 'z'}, DataOrder::BigEndian);
    // Conversion happens when data is loaded from the file.
    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    StringSet set;
    ASSERT_EQ(set.Load(file, 1), kResOk);
    EXPECT_EQ(set.Count(), 2);
    ASSERT_EQ(set.Load(file, 2), kResOk);
    EXPECT_EQ(set.Get(1), "z");
}

TEST_F(StringFile, LanguageRunsAreNumberedFromOne) {
    Store(kTypeStrings, 1,
          {0xFD, 0xFF, 4, 0, 1, 'a', 0, 0, 1, 'b', 0, 0, 2, 'c', 0, 0, 2, 'd', 0, 0});
    StringSet set;
    ASSERT_EQ(set.Load(file, 1), kResOk);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Get(1), "a");
    EXPECT_EQ(set.Get(2), "b");
    StringSet second(1);
    ASSERT_EQ(second.Load(file, 1), kResOk);
    EXPECT_EQ(second.Get(1), "c");
    EXPECT_EQ(second.Get(2), "d");
    StringSet missing(7);
    ASSERT_EQ(missing.Load(file, 1), kResOk);
    EXPECT_EQ(missing.Get(1), "a") << "falls back to language 0";
}

TEST_F(StringFile, SavingAPlainListWritesLanguageEntriesWithEmptyComments) {
    Store(kTypeStrings, 1, {0xFF, 0xFF, 1, 0, 'h', 'i', 0}, DataOrder::Native, "Named");
    StringSet set;
    ASSERT_EQ(set.Load(file, 1), kResOk);
    EXPECT_EQ(set.Name(), "Named");
    ASSERT_EQ(set.Save(), kResOk);
    EXPECT_EQ(Stored(kTypeStrings, 1), (std::vector<uint8_t>{0xFD, 0xFF, 1, 0, 1, 'h', 'i', 0, 0}));
    std::string name;
    ASSERT_EQ(file.GetResourceName(file.GetResource(kTypeStrings, 1), name), kResOk);
    EXPECT_EQ(name, "Named");
}

TEST_F(StringFile, TruncatedOrInconsistentDataIsAnErrorNotAnOverread) {
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {3},
        {5, 0, 2, 'a'},
        {0xFF, 0xFF, 0xFF, 0x7F, 'a', 0},
        {0xFE, 0xFF, 1, 0, 'a', 0, 'b'},
        {0xFD, 0xFF, 1, 0, 1, 'a'},
        {0xFC, 0xFF, 0, 0},
    };
    int16_t id = 10;
    for (const auto& bytes : broken)
        Store(kTypeStrings, id++, bytes);
    for (int16_t i = 10; i < id; ++i) {
        StringSet set;
        EXPECT_NE(set.Load(file, i), kResOk) << i;
        EXPECT_EQ(set.Count(), 0) << i;
        StringSetMulti multi;
        multi.Select(file, i, kTypeStrings, StringForm::Binary, 0);
        EXPECT_EQ(multi.Load(StringSetMulti::Languages::All, StringSetMulti::Fallback::Language0),
                  kResBadChunk)
            << i;
    }
}

TEST_F(StringFile, MultiLanguageSavePadsFromLanguage0AndDropsPureCopies) {
    Store(kTypeStrings, 1, {0xFD, 0xFF, 3, 0, 1, 'a', 0, 'x', 0, 1, 'b', 0, 0, 1, 'c', 0, 0},
          DataOrder::Native, "N");
    StringSetMulti multi;
    multi.Select(file, 1, kTypeStrings, StringForm::Binary, 5);
    ASSERT_EQ(multi.Load(StringSetMulti::Languages::All, StringSetMulti::Fallback::Language0),
              kResOk);
    EXPECT_EQ(multi.Count(5), 3) << "filled from language 0";
    EXPECT_EQ(multi.GetComment(1, 0), "x");
    multi.Set(1, "A5", 5);
    multi.Set(2, "B5", 5);
    ASSERT_EQ(multi.Save(), kResOk);
    EXPECT_EQ(Stored(kTypeStrings, 1),
              (std::vector<uint8_t>{0xFD, 0xFF, 6,   0,                                         //
                                    1,    'a',  0,   'x', 0,   1, 'b', 0,   0,   1, 'c', 0, 0,  //
                                    6,    'A',  '5', 0,   'x', 0, 6,   'B', '5', 0, 0,          //
                                    6,    'c',  0,   0}));

    StringSetMulti reread;
    reread.Select(file, 1, kTypeStrings, StringForm::Binary, 5);
    ASSERT_EQ(reread.Load(StringSetMulti::Languages::Current, StringSetMulti::Fallback::None),
              kResOk);
    EXPECT_EQ(reread.Get(1, 5), "A5");
    EXPECT_EQ(reread.Get(3, 5), "c");
    EXPECT_EQ(reread.Count(0), 0);
    EXPECT_EQ(reread.Name(), "N");
}

TEST_F(StringFile, MultiLanguageSaveCreatesAMissingResource) {
    StringSetMulti multi;
    multi.Select(file, 9, kTypeTextStrings, StringForm::Text, kCurrentLanguage);
    EXPECT_NE(multi.Load(StringSetMulti::Languages::Current, StringSetMulti::Fallback::None),
              kResOk);
    multi.Set(1, "only", 0);
    ASSERT_EQ(multi.Save(), kResOk);
    EXPECT_EQ(multi.Type(), kTypeStrings);
    EXPECT_EQ(Stored(kTypeStrings, 9),
              (std::vector<uint8_t>{0xFD, 0xFF, 1, 0, 1, 'o', 'n', 'l', 'y', 0, 0}));
}

TEST(StackString, CutsSilentlyAtItsCapacity) {
    StackString<5> s("abcdefg");
    EXPECT_EQ(s.View(), "abcd");
    s.Assign("ab");
    s += "cdef";
    EXPECT_EQ(s.Length(), 4u);
    EXPECT_STREQ(s.CStr(), "abcd");
    StackString<260> path;
    for (int i = 0; i < 30; ++i)
        path += "0123456789";
    EXPECT_EQ(path.Length(), 259u);
}

}  // namespace
}  // namespace marquill::resfile
