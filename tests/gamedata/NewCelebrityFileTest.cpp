#include "gamedata/NewCelebrityFile.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "gamedata/BodyStrings.h"
#include "platform/ByteReader.h"
#include "resfile/StringSet.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;

class RecordingReporter final : public Reporter {
  public:
    void status(std::string_view text) override { statuses.emplace_back(text); }
    void showMessage(std::string_view, std::string_view message) override {
        messages.emplace_back(message);
    }
    std::vector<std::string> statuses, messages;
};

std::vector<std::string> templateBodyStrings() {
    std::vector<std::string> s(35);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = "template " + std::to_string(i + 1);
    s[15] = "lMfit_01,BODY=lMfitmed_01";
    s[16] = "sMfit_01,BODY=sMfitmed_01";
    s[27] = "wMfit_01,BODY=wMfitmed_01";
    return s;
}

CelebrityValues values() {
    CelebrityValues v;
    v.name = "Nova Bright";
    v.description = "line\r\nbreak";
    v.traits = {1, 2, 3, 4, 5};  // Neat, Active, Playful, Outgoing, Nice
    for (size_t id = 0; id < 15; ++id)
        v.interestScores[id] = 5;
    v.interestScores[6] = 10;
    v.interestScores[4] = 1;
    v.fameLevel = 9;
    v.appearance.gender = 1;
    v.appearance.skinColour = 2;
    v.appearance.bodyType = 2;
    return v;
}

struct Made {
    std::vector<int16_t> bcon;
    uint16_t bconWord = 0;
    std::vector<std::string> body;
    std::vector<std::string> names;  // string 1 per language present
    int pictures = 0;
    std::string objectName;
    uint32_t guid = 0, previousGuid = 0;
};

Made readBack(const std::string& path) {
    Made m;
    resfile::IFFResFile2 file;
    EXPECT_EQ(file.Open(path, resfile::Access::ReadOnly), resfile::kResOk);
    if (auto* b = file.GetResource(kTypeConstants, kConstantsId)) {
        platform::ByteReader r(b->Bytes());
        m.bconWord = r.u16le().value_or(0);
        while (auto v = r.i16le())
            m.bcon.push_back(*v);
        (void)resfile::Release(file, b);
    }
    resfile::StringSet body;
    if (body.Load(file, kBodyStringsId) == resfile::kResOk)
        for (int i = 1; i <= body.Count(); ++i)
            m.body.push_back(body.Get(i).value_or(""));
    for (int lang = 0; lang < resfile::kLanguageCount; ++lang) {
        resfile::StringSetMulti names;
        names.Select(file, kPersonStringsId, kTypeCatalogStrings, resfile::StringForm::Binary,
                     static_cast<uint8_t>(lang));
        if (names.Load(resfile::StringSetMulti::Languages::All,
                       resfile::StringSetMulti::Fallback::None) == resfile::kResOk &&
            names.Count(lang) > 0 && !names.Slot(lang).empty() &&
            names.Slot(lang)[0].languageByte != 0)
            m.names.push_back(names.Get(1, lang).value_or("") + "|" +
                              names.Get(2, lang).value_or(""));
    }
    m.pictures = file.CountResources(kTypeBitmap);
    if (auto* b = file.GetIndResource(kTypeObjectDefinition, 1)) {
        (void)file.GetResourceName(b, m.objectName);
        m.guid = readU32le(b->Bytes().data() + kOffsetGuid);
        m.previousGuid = readU32le(b->Bytes().data() + kOffsetPreviousGuid);
        (void)resfile::Release(file, b);
    }
    (void)file.Close();
    return m;
}

TEST(NewCelebrityFile, WritesNamesConstantsByRankAndBodyStrings) {
    TempFolder dir;
    const std::string tmpl = dir.path() + "/QT_Template.iff";
    writePerson(tmpl, {.guid = 0xABCD,
                       .names = {"T0", "T1", "T2"},
                       .bodyStrings = templateBodyStrings(),
                       .pictures = 5});
    RecordingReporter reporter;
    auto result = makeNewCelebrityFile(dir.path() + "/nova", tmpl, values(), reporter);
    ASSERT_EQ(result.code, 0);
    EXPECT_TRUE(result.traitsWritten);
    EXPECT_TRUE(result.bodyStringsWritten);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(reporter.statuses, (std::vector<std::string>{"Creating New Celeb Pemm...",
                                                           "Setting New Celeb Pemm's Name...",
                                                           "Injecting Celeb Pemm's New DNA..."}));
    Made m = readBack(dir.path() + "/nova.iff");
    EXPECT_EQ(m.objectName, "Nova Bright");
    EXPECT_EQ(m.previousGuid, 0xABCDu);
    EXPECT_NE(m.guid, 0xABCDu);
    // Every language slot is named, the template's three and the seventeen filled from the first.
    EXPECT_EQ(m.names, std::vector<std::string>(20, "Nova Bright|line\r\nbreak"));
    ASSERT_EQ(m.bcon.size(), 27u);
    EXPECT_EQ(m.bconWord, 0x8000 | 27);
    EXPECT_EQ(m.bcon[0], 0);
    EXPECT_EQ(m.bcon[2], 100);      // Neat
    EXPECT_EQ(m.bcon[3], 400);      // Outgoing
    EXPECT_EQ(m.bcon[6], 500);      // Nice
    EXPECT_EQ(m.bcon[7], 1000);     // Travel ranked in the top five
    EXPECT_EQ(m.bcon[8], 100);      // Money ranked low
    EXPECT_EQ(m.bcon[11], 500);     // Weather in the middle
    EXPECT_EQ(m.bcon[22], 9);       // fame, not scaled
    EXPECT_EQ(m.bcon[23], 7 + 23);  // beyond the table: as stored
    ASSERT_EQ(m.body.size(), 35u);
    EXPECT_EQ(m.body[12], "Female");
    EXPECT_EQ(m.body[14], "drk");
    EXPECT_EQ(m.body[15], "lFskn_01,BODY=lFskndrk_01");
    EXPECT_EQ(m.body[17], "hflo,HAND=huaodrk");
    EXPECT_EQ(m.body[30], "f100faskn_original,BODY=f100faskndrk_original");
    EXPECT_EQ(m.body[33], "w100faskn_original,BODY=w100faskndrk_original");
    EXPECT_EQ(m.body[3], "template 4");
    EXPECT_EQ(m.pictures, 0);
}

std::vector<uint8_t> resourceBytes(const std::string& path, resfile::ResType type, int16_t id) {
    resfile::IFFResFile2 file;
    std::vector<uint8_t> bytes;
    EXPECT_EQ(file.Open(path, resfile::Access::ReadOnly), resfile::kResOk);
    if (auto* b = file.GetResource(type, id)) {
        bytes.assign(b->Bytes().begin(), b->Bytes().end());
        (void)resfile::Release(file, b);
    }
    (void)file.Close();
    return bytes;
}

TEST(NewCelebrityFile, TheConstantLabelsGoBackAsTheyWereLoaded) {
    TempFolder dir;
    const std::string tmpl = dir.path() + "/QT_Template.iff";
    writePerson(tmpl, {.guid = 1, .bodyStrings = templateBodyStrings()});
    RecordingReporter reporter;
    auto result = makeNewCelebrityFile(dir.path() + "/nova", tmpl, values(), reporter);
    ASSERT_EQ(result.code, 0);
    ASSERT_TRUE(result.traitsWritten);
    const auto labels = resourceBytes(tmpl, resfile::kTypeTreeConstants, kConstantsId);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(resourceBytes(dir.path() + "/nova.iff", resfile::kTypeTreeConstants, kConstantsId),
              labels)
        << "the new values belong in BCON alone";
    EXPECT_EQ(readBack(dir.path() + "/nova.iff").bcon[7], 1000);
}

TEST(NewCelebrityFile, BodyStringNamesAreWindows1252WhicheverWayTheyCame) {
    TempFolder dir;
    const std::string tmpl = dir.path() + "/QT_Template.iff";
    writePerson(tmpl, {.guid = 1, .bodyStrings = templateBodyStrings()});
    CelebrityValues v = values();
    v.appearance.headMesh = "c011ma_r\xE9po";          // read from a game file
    v.appearance.headTexture = "C011mamed_r\xC3\xA9";  // typed on the command line
    RecordingReporter reporter;
    ASSERT_EQ(makeNewCelebrityFile(dir.path() + "/nova", tmpl, v, reporter).code, 0);
    EXPECT_EQ(readBack(dir.path() + "/nova.iff").body[2],
              "c011ma_r\xE9po,HEAD-HEAD=C011mamed_r\xE9");
}

TEST(NewCelebrityFile, ShortConstantsAndMissingStringsAreHandled) {
    TempFolder dir;
    const std::string tmpl = dir.path() + "/t.iff";
    writePerson(tmpl, {.guid = 1, .constants = 10, .storedConstants = 4});
    RecordingReporter reporter;
    auto result = makeNewCelebrityFile(dir.path() + "/x", tmpl, values(), reporter);
    EXPECT_EQ(result.code, 0);
    EXPECT_FALSE(result.bodyStringsWritten);
    Made m = readBack(dir.path() + "/x.iff");
    ASSERT_EQ(m.bcon.size(), 10u);  // one per label; unstored values start at 0
    EXPECT_EQ(m.bcon[7], 1000);
    EXPECT_EQ(m.bcon[9], 500);
}

TEST(NewCelebrityFile, AMissingTemplateIsReportedAndLeavesAnOlderFileAlone) {
    TempFolder dir;
    writePerson(dir.path() + "/old.iff", {.guid = 3});
    auto before = bytesOf(dir.path() + "/old.iff");
    RecordingReporter reporter;
    auto result =
        makeNewCelebrityFile(dir.path() + "/old", dir.path() + "/none.iff", values(), reporter);
    EXPECT_NE(result.code, 0);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Could not create new file."}));
    EXPECT_EQ(bytesOf(dir.path() + "/old.iff"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(NewCelebrityFile, PicturesBeyondThe1023rdStay) {
    TempFolder dir;
    const std::string tmpl = dir.path() + "/t.iff";
    writePerson(tmpl, {.guid = 1, .pictures = 1030});
    RecordingReporter reporter;
    ASSERT_EQ(makeNewCelebrityFile(dir.path() + "/x", tmpl, values(), reporter).code, 0);
    EXPECT_EQ(readBack(dir.path() + "/x.iff").pictures, 7);
}

TEST(BodyStrings, MaleFullLightKeepsTheLiteralAndRewritesOutfits) {
    character::Appearance look;
    look.gender = 0;
    look.skinColour = 0;
    look.bodyType = 1;
    auto s = celebrityBodyStrings(look, {{16, "lMfit_01,BODY=lMfitmed_01"}, {28, "short"}});
    EXPECT_EQ(s[31], "f100mafat_original,BODY=f100mafatlgt_original");
    EXPECT_EQ(s[32], "s100mafat_original,BODY=s100mafatlgt_original");
    EXPECT_EQ(s[18], "hmlo,HAND=huaolgt");
    EXPECT_EQ(s[23], "hmrc,HAND=huaolgt");
    EXPECT_EQ(s[16], "lMfat_01,BODY=lMfatlgt_01");
    EXPECT_EQ(s[28], "short");
    EXPECT_EQ(s.count(17), 0u);
    EXPECT_EQ(s[2], "b003mafit_01,BODY=B003MAFitmed_bmoc");
    EXPECT_EQ(s[3], "c011ma_repo,HEAD-HEAD=C011mamed_rotc");
    EXPECT_EQ(s[35], "h552mafit_dude,BODY=");
    EXPECT_EQ(s[13], "Male");
    EXPECT_EQ(s[15], "lgt");
}

}  // namespace
}  // namespace marquill::gamedata
