#include "celeb/SaveSequence.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include "celeb/RecordChecks.h"

#include "gamedata/TestFiles.h"
#include "platform/Files.h"

namespace marquill::celeb {
namespace {

using gamedata::testing_files::TempFolder;

class ScriptedHost final : public SaveHost {
  public:
    std::optional<std::string> chosen;
    bool answer = false;
    std::vector<std::string> log;
    SaveDialogRequest request;

    std::optional<std::string> chooseSavePath(const SaveDialogRequest& r) override {
        request = r;
        return chosen;
    }
    bool confirm(std::string_view, std::string_view message) override {
        log.push_back("confirm: " + std::string(message));
        return answer;
    }
    void openAddress(std::string_view address) override {
        log.push_back("open: " + std::string(address));
    }
    void status(std::string_view) override {}
    void showMessage(std::string_view title, std::string_view message) override {
        log.push_back(std::string(title) + " " + std::string(message));
    }
};

// Writes two small files where it is told to, as the preview writes its pictures.
class CountingSnapshots final : public SnapshotTaker {
  public:
    image::SnapshotPaths paths;
    int pictures = 2;
    int takeSnapshots(const image::SnapshotPaths& where) override {
        paths = where;
        for (const std::string* path : {&where.head, &where.body})
            if (pictures > (path == &where.head ? 0 : 1)) std::ofstream(*path) << "jpeg";
        return pictures;
    }
};

PemmData record() {
    PemmData r;
    r.setName("Star");
    r.setDescription("d");
    auto order = interestOrder({0, 1, 2, 3, 4}, {5, 6, 7, 8, 9});
    for (int p = 0; p < 15; ++p)
        r.setInterestAt(p, order[static_cast<size_t>(p)]);
    return r;
}

class SaveSequenceTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(game_.path() + "/TemplateCelebrity");
        tmpl_ = game_.path() + "/QT_Template.iff";
        gamedata::testing_files::writePerson(tmpl_, {.guid = 9, .bodyStrings = {"Adult"}});
    }
    std::string folder() const { return game_.path() + "/TemplateCelebrity/"; }
    TempFolder game_;
    std::string tmpl_;
};

TEST_F(SaveSequenceTest, SavesTheFileSetAndReportsEveryStage) {
    ScriptedHost host;
    host.chosen = folder() + "star.srf";
    CountingSnapshots snaps;
    SkinFileList skins;
    skins.add("/earlier/celebrity.cmx");
    std::vector<std::string> stages;
    auto result = saveCelebrity(record(), SaveChoices{}, SaveSetup{game_.path(), tmpl_, &snaps},
                                skins, host, [&](const SaveProgress& p) {
                                    stages.push_back(std::to_string(p.position) + " " + p.text);
                                });
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Saved);
    EXPECT_EQ(result.basePath, folder() + "star");
    EXPECT_TRUE(std::filesystem::exists(folder() + "starhead.jpg"));
    EXPECT_TRUE(std::filesystem::exists(folder() + "starbody.jpg"));
    EXPECT_EQ(result.pictures, 2);
    EXPECT_EQ(result.personFile.code, 0);
    EXPECT_TRUE(std::filesystem::exists(folder() + "star.srf"));
    EXPECT_TRUE(std::filesystem::exists(folder() + "star.iff"));
    EXPECT_EQ(skins.size(), 0u);  // emptied before collecting
    EXPECT_EQ(host.request.defaultName, "Star");
    EXPECT_EQ(host.request.initialFolder, game_.path() + "/TemplateCelebrity");
    EXPECT_EQ(stages, (std::vector<std::string>{"0 ", "1 Creating Web Export Data...",
                                                "2 Building Skin List...", "3 Writing Skin List...",
                                                "4 Taking Snap Shots...", "9 Finished!"}));
    EXPECT_EQ(host.log.back(),
              "Finished! The Pemm was saved. You can replace another Celeb with it or upload it "
              "to The Pemms Exchange later.");
}

TEST_F(SaveSequenceTest, ANameWithoutExtensionGetsOneAndOkOpensTheExchange) {
    ScriptedHost host;
    host.chosen = folder() + "nova";
    host.answer = true;
    SkinFileList skins;
    auto result = saveCelebrity(record(), {}, {game_.path(), tmpl_, nullptr}, skins, host, {});
    EXPECT_EQ(result.exchangePath, folder() + "nova.srf");
    EXPECT_EQ(result.basePath, folder() + "nova");
    EXPECT_EQ(result.pictures, 0);
    EXPECT_TRUE(result.connect);
    EXPECT_EQ(host.log.back().rfind("open: ", 0), 0u);
    EXPECT_NE(host.log.back().find("exchange_stars/"), std::string::npos);
    EXPECT_EQ(savePathsFor("/x/A.SRF").basePath, "/x/A");
}

TEST_F(SaveSequenceTest, CancellingWritesNothingAndAFailedExchangeFileIsNotCalledSaved) {
    ScriptedHost host;
    SkinFileList skins;
    auto cancelled = saveCelebrity(record(), {}, {game_.path(), tmpl_, nullptr}, skins, host, {});
    EXPECT_EQ(cancelled.outcome, SaveResult::Outcome::Cancelled);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 0);

    host.chosen = folder() + "missing/star.srf";
    auto failed = saveCelebrity(record(), {}, {game_.path(), tmpl_, nullptr}, skins, host, {});
    EXPECT_EQ(failed.outcome, SaveResult::Outcome::ExchangeFileFailed);
    for (const std::string& line : host.log)
        EXPECT_EQ(line.find("was saved"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder() + "missing"));
}

TEST_F(SaveSequenceTest, AFailureAnywhereLeavesAnOlderCelebrityOfTheNameAsItWas) {
    auto saveStar = [&](const std::string& templatePath, int pictures) {
        ScriptedHost host;
        host.chosen = folder() + "star.srf";
        CountingSnapshots snaps;
        snaps.pictures = pictures;
        SkinFileList skins;
        PemmData r = record();
        r.setDescription("newer");
        auto result =
            saveCelebrity(r, {}, SaveSetup{game_.path(), templatePath, &snaps}, skins, host, {});
        for (const std::string& line : host.log)
            EXPECT_EQ(line.find("was saved"), std::string::npos) << line;
        return result.outcome;
    };
    ScriptedHost host;
    host.chosen = folder() + "star.srf";
    CountingSnapshots snaps;
    SkinFileList skins;
    ASSERT_EQ(saveCelebrity(record(), {}, SaveSetup{game_.path(), tmpl_, &snaps}, skins, host, {})
                  .outcome,
              SaveResult::Outcome::Saved);
    auto folderNow = [&] {
        std::map<std::string, std::vector<uint8_t>> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            files[entry.path().filename().string()] = *platform::readWholeFile(entry.path());
        return files;
    };
    const auto before = folderNow();
    ASSERT_EQ(before.size(), 4u);

    EXPECT_EQ(saveStar(game_.path() + "/no-template.iff", 2),
              SaveResult::Outcome::PersonFileFailed);
    EXPECT_EQ(folderNow(), before);
    EXPECT_EQ(saveStar(tmpl_, 1), SaveResult::Outcome::SnapshotsFailed);
    EXPECT_EQ(folderNow(), before);
}

TEST_F(SaveSequenceTest, SkinFilesAreWrittenAbsoluteOrAsTheInstallersPath) {
    const std::string skinFolder = game_.path() + "/GameData/Skins/";
    std::filesystem::create_directories(skinFolder);
    std::ofstream(skinFolder + "b003mafit_01.cmx") << "version 300\r\n";
    auto skinLines = [&](const SaveSetup& setup) {
        ScriptedHost host;
        host.chosen = folder() + "star.srf";
        SkinFileList skins;
        (void)saveCelebrity(record(), {}, setup, skins, host, {});
        auto bytes = platform::readWholeFile(folder() + "star.srf");
        std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : "";
        const size_t at = text.find("SkinFileCount=");
        return at == std::string::npos ? text : text.substr(at, text.find("Version") - at);
    };
    const std::string relative =
        std::filesystem::relative(game_.path(), std::filesystem::current_path()).string();
    ASSERT_NE(relative.front(), '/');
    EXPECT_EQ(skinLines({relative, tmpl_, nullptr}),
              "SkinFileCount=1\r\nSkinFile1=" +
                  std::filesystem::path(game_.path()).lexically_normal().string() +
                  "/GameData/Skins/b003mafit_01.cmx\r\n");
    EXPECT_EQ(skinLines({game_.path(), tmpl_, nullptr, "C:\\Program Files\\Kavor\\The Pemms"}),
              "SkinFileCount=1\r\nSkinFile1=C:\\Program Files\\Kavor\\The "
              "Pemms\\GameData\\Skins\\b003mafit_01.cmx\r\n");
}

}  // namespace
}  // namespace marquill::celeb
