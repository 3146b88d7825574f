#include <gtest/gtest.h>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "resfile/ObjResFile.h"
#include "resfile/ResolveResFile.h"
#include "resfile/StdResFile.h"

namespace marquill::resfile {
namespace {

using testing::Data;
using testing::Put;
using testing::ReadBytes;
using testing::TempDir;

const ResType kObjd = MakeResType("OBJD");
const ResType kBhav = MakeResType("BHAV");

void MakeTyped(const std::string& path, const std::vector<std::pair<ResType, int16_t>>& resources) {
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    for (const auto& [type, id] : resources)
        Put(file, type, id, 2, static_cast<uint8_t>(id));
    ASSERT_EQ(file.Close(), kResOk);
}

TEST(Chain, APathWithoutExtensionChainsEveryExistingKind) {
    TempDir dir;
    MakeTyped(dir.File("x.iff"), {{kTypeStrings, 1}, {kObjd, 2}});
    MakeTyped(dir.File("x.fam"), {{kBhav, 3}, {kTypeStrings, 4}});
    StdResFile chain;
    ASSERT_EQ(chain.Open(dir.File("x"), Access::ReadWrite), kResOk);
    EXPECT_EQ(chain.MemberCount(), 2u);

    // Each member's types from its last to its first, codes already seen skipped.
    ASSERT_EQ(chain.CountTypes(), 3);
    EXPECT_EQ(chain.GetIndType(1), kObjd);
    EXPECT_EQ(chain.GetIndType(2), kTypeStrings);
    EXPECT_EQ(chain.GetIndType(3), kBhav);
    EXPECT_EQ(chain.GetIndType(4), 0u);
    EXPECT_EQ(chain.LastResult(), kResTypeRange);

    EXPECT_EQ(chain.CountResources(kTypeStrings), 2);
    EXPECT_EQ(Data(chain.GetIndResource(kTypeStrings, 2)), std::vector<uint8_t>(2, 4));
    EXPECT_EQ(Data(chain.GetResource(kBhav, 3)), std::vector<uint8_t>(2, 3));
    EXPECT_EQ(chain.GetResource(kBhav, 4), nullptr);
    EXPECT_EQ(chain.LastResult(), kResNoSuchResource);
    EXPECT_EQ(chain.UniqueId(kTypeStrings), 129);

    MemoryBlock* block = chain.GetResource(kTypeStrings, 4);
    int16_t id = 0;
    ASSERT_EQ(chain.GetResourceId(block, id), kResOk);
    EXPECT_EQ(id, 4);
    EXPECT_EQ(chain.GetResourceType(block), kTypeStrings);
    ASSERT_EQ(chain.RemoveResource(block), kResOk);
    ASSERT_EQ(chain.Close(), kResOk);

    IFFResFile2 fam;
    ASSERT_EQ(fam.Open(dir.File("x.fam"), Access::ReadOnly), kResOk);
    EXPECT_EQ(fam.CountResources(kTypeStrings), 0) << "the removal reached the member";
}

TEST(Chain, APathWithAnExtensionTriesOnlyThatExtension) {
    TempDir dir;
    MakeTyped(dir.File("z.iff"), {{kTypeStrings, 1}});
    MakeTyped(dir.File("z.spf"), {{kTypeStrings, 2}});
    ObjResFile objects;
    EXPECT_EQ(objects.Open(dir.File("z.IFF"), Access::ReadOnly), kResCannotOpen)
        << "the path is used as given";
    ASSERT_EQ(objects.Open(dir.File("z.iff"), Access::ReadOnly), kResOk);
    EXPECT_EQ(objects.MemberCount(), 1u);
    ASSERT_EQ(objects.Open(dir.File("z"), Access::ReadOnly), kResOk);
    EXPECT_EQ(objects.MemberCount(), 2u);
    EXPECT_EQ(objects.Open(dir.File("z.txt"), Access::ReadOnly), kResNoKindMatched);
    EXPECT_EQ(objects.Open(dir.File("z.dir"), Access::ReadOnly), kResAlreadyOpen)
        << "a resource directory never resolves";
}

TEST(Chain, ADotIffPathOpensAsWhicheverVersionItsHeaderIs) {
    TempDir dir;
    const auto path = dir.File("old.iff");
    {
        StdResFile chain;
        EXPECT_EQ(chain.Create(path), kResOk);
        EXPECT_EQ(chain.Create(path), kResAlreadyExists);
    }
    EXPECT_EQ(ReadBytes(path)[11], '5') << "created as version 2.5";
    StdResFile chain;
    ASSERT_EQ(chain.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(chain.MemberCount(), 1u);
}

TEST(OpeningRoutine, FlagsCreateReplaceAndReadOnly) {
    TempDir dir;
    const auto path = dir.File("p.iff");
    IFFResFile2 file;
    EXPECT_EQ(OpenResFile(file, path, 0), kResCannotOpen);
    ASSERT_EQ(OpenResFile(file, path, kOpenCreateMissing), kResOk);
    EXPECT_TRUE(file.IsWritable());
    Put(file, kTypeStrings, 1, 4, 1);
    ASSERT_EQ(file.Close(), kResOk);

    ASSERT_EQ(OpenResFile(file, path, kOpenReadOnly), kResOk);
    EXPECT_FALSE(file.IsWritable());
    EXPECT_EQ(file.CountResources(kTypeStrings), 1);
    MemoryBlock* block = file.GetResource(kTypeStrings, 1);
    const size_t live = BlockManager::Instance().LiveCount();
    ASSERT_EQ(Release(file, block), kResOk);
    EXPECT_EQ(BlockManager::Instance().LiveCount(), live - 1);
    EXPECT_EQ(file.DetachResource(block), kResNoSuchResource);
    ASSERT_EQ(file.Close(), kResOk);

    ASSERT_EQ(OpenResFile(file, path, kOpenReplace), kResOk);
    EXPECT_EQ(file.CountResources(kTypeStrings), 0);
    ASSERT_EQ(file.Close(), kResOk);
    EXPECT_EQ(ReadBytes(path).size(), 64u);
}

TEST(ResolveResFile, NormalisesPathsAndNeverOpens) {
    EXPECT_EQ(ResolveResFile::NormalisePath(".\\a\\b.dir"), "a/b.dir");
    EXPECT_EQ(ResolveResFile::NormalisePath("./x"), "x");
    ResolveResFile file;
    EXPECT_EQ(file.Open("./x.dir", Access::ReadOnly), kResAlreadyOpen);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetResource(kTypeStrings, 1), nullptr);
}

TEST(ResFileList, EveryLiveFileObjectIsListed) {
    const size_t before = iResFile::LiveCount();
    {
        IFFResFile2 a;
        StdResFile b;
        EXPECT_EQ(iResFile::LiveCount(), before + 2);
        EXPECT_TRUE(iResFile::IsLive(&a));
    }
    EXPECT_EQ(iResFile::LiveCount(), before);
}

}  // namespace
}  // namespace marquill::resfile
