#include "fileindex/FolderIndex.h"

#include <gtest/gtest.h>

#include "TempTree.h"
#include "fileindex/FarTable.h"
#include "fileindex/FileReader.h"
#include "fileindex/PathKey.h"

namespace marquill::fileindex {
namespace {

using testing::farBytes;
using testing::TempTree;

std::string readText(FileReader& r) {
    auto all = r.readAll();
    return all ? std::string(all->begin(), all->end()) : "<fail>";
}

TEST(PathKeys, NormaliseLowersAndTurnsSlashes) {
    EXPECT_EQ(normalisePath("GameData/Skins\\B001.BMP"), "gamedata\\skins\\b001.bmp");
    auto parts = splitKey("gamedata\\skins\\b001.bmp");
    EXPECT_EQ(parts.folder, "gamedata\\skins\\");
    EXPECT_EQ(parts.name, "b001.bmp");
    EXPECT_EQ(splitKey("top.bmp").folder, "");
    EXPECT_EQ(folderKey("GameData\\Skins"), "gamedata\\skins\\");
}

TEST(FolderIndexWalk, LookupIgnoresCaseAndOpensTheRealSpelling) {
    TempTree tree;
    tree.file("GameData/Skins/b001.bmp", "loose");
    tree.file("GameData/Skins/Sub/deep.skn", "deep");
    FolderIndex index(tree.root());
    ASSERT_TRUE(index.addFolder("GAMEDATA\\SKINS", Recurse::Yes, ReadArchives::Yes));
    ASSERT_NE(index.lookup("GameData/Skins/B001.BMP"), nullptr);
    EXPECT_TRUE(index.hasFolder("gamedata\\skins\\sub\\x"));
    auto sub = index.lookup("gamedata\\skins\\sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isFolder);
    auto r = index.open("GameData\\Skins\\B001.BMP", OpenFor::Reading);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(readText(*r), "loose");
    auto deep = index.open("GAMEDATA\\Skins\\SUB\\Deep.SKN", OpenFor::Reading);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(readText(*deep), "deep");
    // Not in the index, yet on disk under another spelling.
    tree.file("Other/File.TXT", "x");
    EXPECT_TRUE(index.exists("other\\file.txt"));
    EXPECT_FALSE(index.exists("other\\missing.txt"));
}

TEST(FolderIndexWalk, FolderLinkedIntoItselfEnds) {
    TempTree tree;
    tree.file("Skins/a.bmp", "x");
    std::filesystem::create_directory_symlink(tree.root() + "/Skins", tree.root() + "/Skins/loop");
    FolderIndex index(tree.root());
    index.addFolder("skins", Recurse::Yes, ReadArchives::Yes);
    EXPECT_NE(index.lookup("skins\\loop\\loop\\a.bmp"), nullptr);
    EXPECT_LT(index.folderCount(), 40u);
}

TEST(FolderIndexWalk, FileAddedBehindTheIndexOpensAsSpelled) {
    TempTree tree;
    tree.file("Skins/a.bmp", "x");
    FolderIndex index(tree.root());
    index.addFolder("skins", Recurse::No, ReadArchives::No);
    tree.file("Skins/Late.bmp", "late");
    EXPECT_NE(index.open("SKINS\\Late.bmp", OpenFor::Reading), nullptr);
    EXPECT_EQ(index.open("skins\\missing.bmp", OpenFor::Reading), nullptr);
}

TEST(FolderIndexWalk, MissingFolderAddsNothing) {
    TempTree tree;
    FolderIndex index(tree.root());
    EXPECT_TRUE(index.addFolder("GameData\\Nowhere", Recurse::Yes, ReadArchives::Yes));
    EXPECT_FALSE(index.hasFolder("gamedata\\nowhere\\"));
}

TEST(FarArchives, EntriesAppearInSubFoldersKnownToTheirParents) {
    TempTree tree;
    tree.file("GameData/Skins/skins.far",
              farBytes({{"sub\\x.bmp", "in archive"}, {"Y.SKN", "why"}}));
    FolderIndex index(tree.root());
    EXPECT_FALSE(index.archiveEntriesPresent());
    index.addFolder("gamedata\\skins", Recurse::Yes, ReadArchives::Yes);
    EXPECT_TRUE(index.archiveEntriesPresent());
    const FileEntry* x = index.lookup("gamedata\\skins\\sub\\x.bmp");
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->inArchive);
    EXPECT_FALSE(x->writable);
    const FileEntry* sub = index.lookup("gamedata\\skins\\sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isFolder);
    auto r = index.open("GameData/Skins/SUB/X.BMP", OpenFor::Reading);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->size(), 10u);
    char buf[32];
    ASSERT_TRUE(r->seek(3));
    EXPECT_EQ(r->read(buf, sizeof buf), 7u);  // cut at the entry's end
    EXPECT_EQ(std::string(buf, 7), "archive");
    EXPECT_FALSE(r->seek(11));
    EXPECT_EQ(r->position(), 10u);
    EXPECT_EQ(readText(*index.open("gamedata\\skins\\y.skn", OpenFor::Reading)), "why");

    // Indexing again changes nothing.
    size_t folders = index.folderCount();
    index.addFolder("gamedata\\skins", Recurse::Yes, ReadArchives::Yes);
    EXPECT_EQ(index.folderCount(), folders);
    EXPECT_EQ(index.archiveCount(), 1u);
}

TEST(FarArchives, ArchiveEntriesAreReadOnlyAndCannotBeCopiedOrDeleted) {
    TempTree tree;
    tree.file("Skins/a.far", farBytes({{"inner.bmp", "data"}}));
    FolderIndex index(tree.root());
    index.addFolder("skins", Recurse::No, ReadArchives::Yes);
    EXPECT_EQ(index.open("skins\\inner.bmp", OpenFor::Writing), nullptr);
    EXPECT_FALSE(index.remove("skins\\inner.bmp"));
    EXPECT_FALSE(index.copy("skins\\inner.bmp", "skins\\copy.bmp"));
    EXPECT_FALSE(tree.has("Skins/copy.bmp"));
}

TEST(FarArchives, FirstIndexedOfTwoSameNamesStays) {
    TempTree tree;
    tree.file("Skins/a.bmp", "loose");
    tree.file("Skins/b.far", farBytes({{"a.bmp", "archived"}, {"c.bmp", "first"}}));
    tree.file("Skins/c.far", farBytes({{"c.bmp", "second"}}));
    FolderIndex index(tree.root());
    index.addFolder("skins", Recurse::No, ReadArchives::Yes);
    EXPECT_EQ(readText(*index.open("skins\\a.bmp", OpenFor::Reading)), "loose");
    EXPECT_EQ(readText(*index.open("skins\\c.bmp", OpenFor::Reading)), "first");
}

TEST(FarArchives, UnreadArchiveKeepsClearedEntry) {
    TempTree tree;
    tree.file("Skins/b.far", farBytes({{"a.bmp", "archived"}}));
    FolderIndex index(tree.root());
    index.addFolder("skins", Recurse::No, ReadArchives::No);
    EXPECT_EQ(index.lookup("skins\\a.bmp"), nullptr);
    EXPECT_FALSE(index.archiveEntriesPresent());
}

TEST(FarTables, TruncatedTableKeepsTheEntriesReadBefore) {
    std::string bytes = farBytes({{"one.bmp", "1"}, {"two.bmp", "2"}});
    bytes.resize(bytes.size() - 3);
    FarTable t = readFarTable({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    EXPECT_FALSE(t.complete);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].name, "one.bmp");
}

TEST(FarTables, HostileCountsAndOffsetsAreRefused) {
    platform::VectorSink s;
    s.text("FAR!byAZ");
    s.u32le(1);
    s.u32le(16);
    s.u32le(0x7FFFFFFF);  // count far beyond the data
    s.u32le(0xFFFFFFF0);  // length
    s.u32le(0xFFFFFFF0);
    s.u32le(0xFFFFFFF0);  // offset past the end
    s.u32le(1);
    s.text("a");
    auto& d = s.data();
    FarTable t = readFarTable(d);
    EXPECT_FALSE(t.complete);
    EXPECT_TRUE(t.entries.empty());
    platform::VectorSink bad;
    bad.text("FAR!byAZ");
    bad.u32le(1);
    bad.u32le(0xFFFFFFFF);  // table beyond the file
    EXPECT_FALSE(readFarTable(bad.data()).complete);
}

TEST(FolderIndexFiles, CreateCopyDeleteKeepTheIndexInStep) {
    TempTree tree;
    tree.file("UserData/Characters/User00001.iff", "person");
    FolderIndex index(tree.root());
    index.addFolder("userdata\\characters", Recurse::No, ReadArchives::No);
    EXPECT_FALSE(index.create("UserData\\Characters\\user00001.IFF"));  // known already
    ASSERT_TRUE(index.create("UserData\\Characters\\New.iff"));
    EXPECT_TRUE(tree.has("UserData/Characters/New.iff"));
    EXPECT_NE(index.lookup("userdata\\characters\\new.iff"), nullptr);

    ASSERT_TRUE(index.copy("userdata\\characters\\user00001.iff", "USERDATA\\characters\\b.iff"));
    EXPECT_TRUE(tree.has("UserData/Characters/b.iff"));
    EXPECT_TRUE(index.lookup("userdata\\characters\\b.iff")->writable);
    EXPECT_FALSE(index.copy("userdata\\characters\\user00001.iff", "userdata\\characters\\B.IFF"));

    ASSERT_TRUE(index.remove("userdata\\characters\\B.iff"));
    EXPECT_FALSE(tree.has("UserData/Characters/b.iff"));
    EXPECT_EQ(index.lookup("userdata\\characters\\b.iff"), nullptr);
}

TEST(FileReaders, WritesExtendLooseFilesAndReadOnlyRefuses) {
    TempTree tree;
    tree.file("d/f.bin", "abc");
    FolderIndex index(tree.root());
    auto w = index.open("D\\F.BIN", OpenFor::Writing);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->seek(3));
    EXPECT_TRUE(w->writeString(std::string(300, 'z')));
    EXPECT_EQ(w->size(), 3u + 5u + 300u);
    index.close(std::move(w));
    auto r = index.open("d\\f.bin", OpenFor::Reading);
    char c;
    EXPECT_EQ(r->write("x", 1), 0u);
    ASSERT_TRUE(r->seek(3));
    EXPECT_FALSE(r->readString());  // over the 255 limit
    ASSERT_TRUE(r->seek(3));
    auto s = r->readString(1023);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->size(), 300u);
    EXPECT_EQ(r->read(&c, 1), 0u);
}

}  // namespace
}  // namespace marquill::fileindex
