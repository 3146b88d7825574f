#include "celeb/ExchangeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "celeb/RecordChecks.h"
#include "platform/Files.h"

namespace marquill::celeb {
namespace {

PemmData sampleRecord() {
    PemmData r;
    r.setName("Star = Bright");
    r.setDescription("a\r\nb");
    r.setSkinColour(2);
    // Neat 5, Active 6, Playful 3, Outgoing 8, Nice 3: Aries.
    r.setTrait(kNeat, 5);
    r.setTrait(kActive, 6);
    r.setTrait(kPlayful, 3);
    r.setTrait(kOutgoing, 8);
    r.setTrait(kNice, 3);
    // Weather among the top five, Politics among the low five, Travel in the middle.
    auto order = interestOrder({0, 1, 2, 3, 4}, {7, 8, 9, 10, 11});
    for (int p = 0; p < 15; ++p)
        r.setInterestAt(p, order[static_cast<size_t>(p)]);
    return r;
}

TEST(ExchangeFile, KeysValuesAndLineEndsByteForByte) {
    platform::ProfileDocument doc;
    putExchangeRecord(doc, sampleRecord(), ExchangeChoices{7, false});
    SkinFileList skins;
    ASSERT_TRUE(skins.add("/g/GameData/Skins/b1.cmx"));
    ASSERT_TRUE(skins.add("/g/GameData/Skins/b1.bmp"));
    putExchangeSkinFiles(doc, skins, platform::GameLocation{"/g", "", ""});
    putExchangeVersion(doc);
    EXPECT_EQ(doc.text(),
              "[Marquill]\r\n"
              "FameLevel=7\r\nSign=1\r\nCareerPath=0\r\nCareerLevel=0\r\nGender=Female\r\n"
              "Name=Star = Bright\r\nDescription=a  b\r\nSkinColor=DRK\r\n"
              "Outgoing=8\r\nNice=3\r\nPlayful=3\r\nNeat=5\r\nActive=6\r\n"
              "Weather=10\r\nHollywood=10\r\nRomance=10\r\nTechnology=10\r\nMoney=10\r\n"
              "Parties=5\r\nTravel=5\r\nPolitics=1\r\nSixties=1\r\nStyle=1\r\nSports=1\r\n"
              "Music=1\r\nOutdoors=5\r\nFood=5\r\nExercise=5\r\n"
              "SkinFileCount=2\r\nSkinFile1=/g/GameData/Skins/b1.cmx\r\n"
              "SkinFile2=/g/GameData/Skins/b1.bmp\r\nVersion=4\r\n");
}

TEST(ExchangeFile, TextIsWindows1252AndAFileThatCannotBeWrittenIsReported) {
    std::string dir = testing::TempDir() + "/exchange" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    PemmData r = sampleRecord();
    r.setName("Ren\xC3\xA9\xE2\x82\xAC");  // René€
    SkinFileList none;
    ASSERT_TRUE(writeExchangeFile(dir + "/star.srf", r, {}, none));
    auto bytes = platform::readWholeFile(dir + "/star.srf");
    ASSERT_TRUE(bytes);
    std::string text(bytes->begin(), bytes->end());
    EXPECT_NE(text.find("\r\nName=Ren\xE9\x80\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSkinFileCount=0\r\nVersion=4\r\n"), std::string::npos);
    EXPECT_FALSE(writeExchangeFile(dir + "/missing/star.srf", r, {}, none));
    std::filesystem::remove_all(dir);
}

TEST(ExchangeFile, SkinFilesAreNamedAsTheGameNamesThem) {
    SkinFileList skins;
    ASSERT_TRUE(skins.add("/wine/drive_c/Games/The Pemms/GameData/Skins/Zo\xC3\xAB.bmp"));
    ASSERT_TRUE(skins.add("/wine/drive_c/Games/The Pemms/GameData/Skins/Zo\xEB.cmx"));
    ASSERT_TRUE(skins.add("GameData/Skins/b1.skn"));
    platform::ProfileDocument doc;
    putExchangeSkinFiles(doc, skins,
                         {"/wine/drive_c/Games/The Pemms", "C:\\Games\\The Pemms\\", "/wine"});
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(doc.text(),
              "[Marquill]\r\nSkinFileCount=3\r\n"
              "SkinFile1=C:\\Games\\The Pemms\\GameData\\Skins\\Zo\xEB.bmp\r\n"
              "SkinFile2=C:\\Games\\The Pemms\\GameData\\Skins\\Zo\xEB.cmx\r\n"
              "SkinFile3=" +
                  here + "/GameData/Skins/b1.skn\r\n")
        << "UTF-8 and Windows-1252 names on disk both become Windows-1252; a relative path "
           "becomes absolute";
}

class SkinFileListTest : public testing::Test {
  protected:
    void SetUp() override {
        game_ = testing::TempDir() + "/skins" + std::to_string(::getpid());
        std::string skins = game_ + "/GameData/Skins/";
        std::filesystem::create_directories(skins);
        std::ofstream(skins + "b003mafit_01.cmx")
            << "version 300\r\n2\r\nxskin-b003mafit_01-PELVIS-BODY\r\nnot a skin\r\n"
               "xskin-b003mafit_01-missing\r\n";
        std::ofstream(skins + "xskin-b003mafit_01-pelvis-body.skn")
            << "mesh\r\nB003MAFitmed_bmoc\r\n";
        std::ofstream(skins + "b003mafitmed_bmoc.bmp") << "BM";
        std::ofstream(skins + "c011ma_repo.cmx") << "xskin-c011ma_repo-head-head\n";
        std::ofstream(skins + "xskin-c011ma_repo-head-head.skn") << "m\nc011mamed_rotc\n";
        std::ofstream(skins + "C011mamed_rotc.bmp") << "BM";
    }
    void TearDown() override { std::filesystem::remove_all(game_); }
    std::string game_;
};

TEST_F(SkinFileListTest, CollectsOutfitsMeshesAndTexturesOnceEach) {
    SkinFileList list;
    character::Appearance look;
    list.collect(game_, look);
    list.collect(game_, look);
    std::string s = game_ + "/GameData/Skins/";
    EXPECT_EQ(list.paths(), (std::vector<std::string>{
                                s + "b003mafit_01.cmx", s + "xskin-b003mafit_01-pelvis-body.skn",
                                s + "b003mafitmed_bmoc.bmp", s + "c011ma_repo.cmx",
                                s + "xskin-c011ma_repo-head-head.skn", s + "C011mamed_rotc.bmp"}));
}

TEST(SkinFileList, StopsAtFifty) {
    SkinFileList list;
    for (int i = 0; i < 60; ++i)
        list.add("/p" + std::to_string(i));
    EXPECT_EQ(list.size(), 50u);
    EXPECT_TRUE(list.add("/p3"));  // already listed
    EXPECT_FALSE(list.add("/p55"));
}

}  // namespace
}  // namespace marquill::celeb
