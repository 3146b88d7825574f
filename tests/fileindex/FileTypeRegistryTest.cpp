#include "fileindex/FileTypeRegistry.h"

#include <gtest/gtest.h>

#include "TempTree.h"
#include "fileindex/FolderIndex.h"

namespace marquill::fileindex {
namespace {

using testing::farBytes;
using testing::TempTree;

TEST(FileTypes, RegistrationResults) {
    FolderIndex index;
    FileTypeRegistry reg(index);
    EXPECT_EQ(reg.registerType(typeCode("SKIN")), kRegistered);
    EXPECT_EQ(reg.registerType(typeCode("SKIN")), kAlreadyRegistered);
    EXPECT_EQ(reg.addExtension(typeCode("ANIM"), extensionCode("CMX")), kTypeNotRegistered);
    EXPECT_EQ(reg.addExtension(typeCode("SKIN"), extensionCode("SKN")), kRegistered);
    EXPECT_EQ(reg.addExtension(typeCode("SKIN"), extensionCode("BMF")), kRegistered);
    EXPECT_EQ(reg.addExtension(typeCode("SKIN"), extensionCode("SKN")), kExtensionListed);
    EXPECT_EQ(*reg.extensions(typeCode("SKIN")),
              (std::vector<uint32_t>{extensionCode("SKN"), extensionCode("BMF")}));
    EXPECT_EQ(extensionSuffix(extensionCode("BMF")), ".BMF");
    EXPECT_EQ(extensionSuffix(kAnyExtension), ".*");
    EXPECT_EQ(splitPathList("a;b;;c"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FileTypes, EnumerateGoesByExtensionThenFolder) {
    TempTree tree;
    tree.file("One/z.cmx", "");
    tree.file("One/a.BCF", "");
    tree.file("Two/b.CMX", "");
    tree.file("Two/c.bcf", "");
    tree.file("Two/notes.txt", "");
    FolderIndex index(tree.root());
    index.addFolder("one", Recurse::No, ReadArchives::Yes);
    index.addFolder("two", Recurse::No, ReadArchives::Yes);
    FileTypeRegistry reg(index);
    reg.registerType(typeCode("ANIM"));
    reg.addExtension(typeCode("ANIM"), extensionCode("CMX"));
    reg.addExtension(typeCode("ANIM"), extensionCode("BCF"));
    std::vector<std::string> seen;
    FileRequest req;
    int r = reg.enumerate(req, {"One", "Missing", "Two"}, typeCode("ANIM"), [&](FileRequest& q) {
        seen.push_back(q.folder + q.name + extensionSuffix(q.matched));
        return 3;  // 3 goes on like 0
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"One\\z.CMX", "Two\\b.CMX", "One\\a.BCF", "Two\\c.BCF"}));
    seen.clear();
    r = reg.enumerate(req, {"One", "Two"}, typeCode("ANIM"), [&](FileRequest& q) {
        seen.push_back(q.name);
        return 7;
    });
    EXPECT_EQ(r, 7);
    EXPECT_EQ(seen.size(), 1u);
}

TEST(FileTypes, FindSearchesExtensionsInOrderAndReachesArchives) {
    TempTree tree;
    tree.file("Anim/pack.far", farBytes({{"walk.bmf", "binary"}}));
    tree.file("Skins/walk.SKN", "text");
    tree.file("Skins/_12_run.skn", "numbered");
    FolderIndex index(tree.root());
    index.addFolder("anim", Recurse::Yes, ReadArchives::Yes);
    index.addFolder("skins", Recurse::Yes, ReadArchives::Yes);
    FileTypeRegistry reg(index);
    reg.registerType(typeCode("SKIN"));
    reg.addExtension(typeCode("SKIN"), extensionCode("BMF"));
    reg.addExtension(typeCode("SKIN"), extensionCode("SKN"));

    FileRequest req;
    ASSERT_EQ(reg.find(req, {"Skins", "Anim"}, typeCode("SKIN"), "walk", false), kFound);
    EXPECT_EQ(req.matched, extensionCode("BMF"));
    EXPECT_EQ(req.folder, "Anim\\");
    EXPECT_TRUE(req.file->inArchive());

    FileRequest plain;
    plain.mode = OpenMode::PlainStream;  // archive entries stay invisible
    ASSERT_EQ(reg.find(plain, {"Skins", "Anim"}, typeCode("SKIN"), "walk", false), kFound);
    EXPECT_EQ(plain.matched, extensionCode("SKN"));

    FileRequest numbered;
    ASSERT_EQ(reg.find(numbered, {"Skins"}, extensionCode("SKN"), "RUN", true), kFound);
    ASSERT_TRUE(numbered.number);
    EXPECT_EQ(*numbered.number, 12);
    EXPECT_EQ(numbered.size, 8u);
    FileRequest none;
    EXPECT_EQ(reg.find(none, {"Skins"}, extensionCode("SKN"), "run", false), kNotFound);
}

}  // namespace
}  // namespace marquill::fileindex
