#include "content/TemplatePerson.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "content/DemoGameData.h"
#include "platform/ByteReader.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"
#include "resfile/cTreeConstants.h"

namespace marquill::content {
namespace {

using namespace resfile;

class ContentFiles : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::TempDir() + "/content-" + std::to_string(::getpid());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_;
};

TEST_F(ContentFiles, TheTemplateIsShapedLikeAPersonFile) {
    std::string error;
    const std::string path = dir_ + "/QT_Template.iff";
    ASSERT_TRUE(writeTemplatePersonFile(path, &error)) << error;
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);

    MemoryBlock* objd = file.GetIndResource(MakeResType("OBJD"), 1);
    ASSERT_NE(objd, nullptr);
    ASSERT_GE(objd->Size(), 144u);
    platform::ByteReader r(objd->Bytes());
    ASSERT_TRUE(r.seek(28));
    EXPECT_EQ(r.u32le(), templatePersonSpec().guid);
    (void)Release(file, objd);

    StringSetMulti names;
    names.Select(file, 2000, MakeResType("CTSS"), StringForm::Binary, 0);
    ASSERT_EQ(names.Load(StringSetMulti::Languages::All, StringSetMulti::Fallback::None), kResOk);
    EXPECT_EQ(names.Get(1, 0), "Template Pemm");
    EXPECT_EQ(names.Get(1, 2), "Vorlage");
    EXPECT_EQ(names.Get(1, 1), "Pemm mod\xE8le");  // Windows-1252 in the file

    cTreeConstants labels;
    ASSERT_EQ(labels.Load(file, 4096), kResOk);
    EXPECT_GE(labels.entries.size(), 23u);
    MemoryBlock* bcon = file.GetResource(MakeResType("BCON"), 4096);
    ASSERT_NE(bcon, nullptr);
    platform::ByteReader b(bcon->Bytes());
    EXPECT_EQ(b.u16le().value_or(0) & 0x7FFF, labels.entries.size());
    EXPECT_EQ(b.remaining(), 2 * labels.entries.size());
    (void)Release(file, bcon);

    StringSet body;
    ASSERT_EQ(body.Load(file, 200), kResOk);
    ASSERT_GE(body.Count(), 35);
    for (int i : {16, 17, 28}) {
        const std::string s = body.Get(i).value_or("");
        const size_t comma = s.find(',');
        ASSERT_NE(comma, std::string::npos) << i;
        EXPECT_EQ(s.compare(comma, 6, ",BODY="), 0) << s;
        EXPECT_GE(s.size() - comma - 6, 8u) << s;
    }
    EXPECT_EQ(body.Get(31), "f100mafit_original,BODY=f100mafitmed_original");
    EXPECT_GE(file.CountResources(MakeResType("BMP_")), 3);
    EXPECT_GE(file.CountTypes(), 9);
    (void)file.Close();
}

TEST_F(ContentFiles, TheDemoHasThreeNeighbourhoodsOneWithoutCelebrities) {
    std::string error;
    ASSERT_TRUE(writeDemoGameData(dir_, {}, &error)) << error;
    int withCelebrities = 0;
    for (const char* folder : {"UserData", "UserData2", "USERDATA5"}) {
        IFFResFile2 file;
        ASSERT_EQ(file.Open(dir_ + "/" + folder + "/Neighborhood.iff", Access::ReadOnly), kResOk)
            << folder;
        cFamily family;
        ASSERT_EQ(family.Load(file, 5000), kResOk);
        EXPECT_GE(family.version, 7);
        EXPECT_EQ(family.name, "Celebrities");
        EXPECT_GT(file.CountResources(kTypeFamilyHouse), 0);
        if (!family.memberGuids.empty()) ++withCelebrities;
        (void)file.Close();
    }
    EXPECT_EQ(withCelebrities, 2);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/UserData3"));
    for (const char* f : {"Star.iff", "Crooner.iff", "QTCelebGeneric.iff"})
        EXPECT_TRUE(std::filesystem::exists(dir_ + "/TemplateCelebrity/" + f)) << f;
}

}  // namespace
}  // namespace marquill::content
