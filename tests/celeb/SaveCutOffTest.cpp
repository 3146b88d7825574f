// Saving over an older celebrity of the same name, with a file layer that is killed at, or
// fails, each of the save's writes in turn (the exchange file, then the four passes over the new
// person file, then the renames): each file is the old one or the finished new one, a failure
// before the renames leaves both old and is reported; no scratch file stays after a failure, nor
// after the next save following a kill.
#include <gtest/gtest.h>

#include "celeb/SaveSequence.h"
#include "gamedata/TestFiles.h"

namespace marquill::celeb {
namespace {

using namespace gamedata::testing_files;

constexpr const char* kFolder = "/game/TemplateCelebrity";
constexpr const char* kExchange = "/game/TemplateCelebrity/Star.srf";
constexpr const char* kPerson = "/game/TemplateCelebrity/Star.iff";
constexpr const char* kTemplate = "/tool/QT_Template.iff";

class QuietHost final : public SaveHost {
  public:
    std::vector<std::string> messages;
    std::optional<std::string> chooseSavePath(const SaveDialogRequest&) override {
        return std::string(kExchange);
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    void openAddress(std::string_view) override {}
    void status(std::string_view) override {}
    void showMessage(std::string_view title, std::string_view message) override {
        messages.push_back(std::string(title) + " " + std::string(message));
    }
};

// A person file's resources with their data, the new GUID (made from the clock) left out.
std::vector<std::string> contentsOf(platform::MemoryFiles& files, const std::string& path) {
    IFFResFile2 file(files);
    if (file.Open(path, Access::ReadOnly) != kResOk) return {"does not open"};
    std::vector<std::string> out;
    for (const auto& info : file.DescribeResources()) {
        std::string line = ResTypeText(info.type) + " " + std::to_string(info.id) + " " +
                           info.name + " " + std::to_string(info.flags) + ":";
        if (MemoryBlock* block = file.GetResource(info.type, info.id)) {
            std::vector<uint8_t> data(block->Bytes().begin(), block->Bytes().end());
            if (info.type == gamedata::kTypeObjectDefinition && data.size() >= 32)
                std::fill(data.begin() + 28, data.begin() + 32, 0);
            line.append(data.begin(), data.end());
        }
        out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    (void)file.Close();
    return out;
}

struct Save {
    SaveResult result;
    std::vector<std::string> messages;
};

Save runSave(platform::MemoryFiles& files) {
    PemmData record;
    record.setName("Star");
    record.setDescription("The new one.");
    QuietHost host;
    SkinFileList skins;
    SaveSetup setup{"/game", kTemplate, nullptr, "", &files};
    Save save;
    save.result = saveCelebrity(record, {}, setup, skins, host, {});
    save.messages = host.messages;
    return save;
}

bool reportsFailure(const Save& save) {
    return std::any_of(save.messages.begin(), save.messages.end(), [](const std::string& m) {
        return m.rfind(std::string(gamedata::kErrorTitle), 0) == 0;
    });
}

TEST(SaveCutOff, TheExchangeAndPersonFilesAreOldOrNewWhereverTheSaveIsCutOff) {
    TempFolder disk;
    writePerson(disk.path() + "/template.iff", {.guid = 9, .bodyStrings = {"Adult"}});
    writePerson(disk.path() + "/old.iff", {.guid = 3, .objectName = "Old Star"});
    const std::string oldExchange = "[Marquill]\r\nName=Old Star\r\n";
    auto fresh = [&] {
        auto files = std::make_unique<platform::MemoryFiles>();
        files->put(kTemplate, bytesOf(disk.path() + "/template.iff"));
        files->put(kPerson, bytesOf(disk.path() + "/old.iff"));
        files->put(kExchange, std::vector<uint8_t>(oldExchange.begin(), oldExchange.end()));
        return files;
    };
    auto original = fresh();
    const auto oldPerson = contentsOf(*original, kPerson);
    const auto oldSrf = *original->bytesOf(kExchange);

    auto reference = fresh();
    const Save uncut = runSave(*reference);
    ASSERT_EQ(uncut.result.outcome, SaveResult::Outcome::Saved);
    ASSERT_FALSE(reportsFailure(uncut));
    const auto newPerson = contentsOf(*reference, kPerson);
    const auto newSrf = *reference->bytesOf(kExchange);
    ASSERT_NE(newPerson, oldPerson);
    const uint64_t writes = reference->writes();
    ASSERT_GT(writes, 20u);

    forEveryCutOff(writes, fresh, [&](platform::MemoryFiles& files, CutOff cutOff) {
        const Save cut = runSave(files);
        const auto srf = files.bytesOf(kExchange);
        const auto person = contentsOf(files, kPerson);
        EXPECT_TRUE(srf == oldSrf || srf == newSrf);
        EXPECT_TRUE(person == oldPerson || person == newPerson);
        if (cutOff == CutOff::Fail) {
            // The set is saved whole or not at all; only a failed rename, the last step, can
            // leave one file new and another old, and it is reported as well.
            const bool saved = cut.result.outcome == SaveResult::Outcome::Saved;
            EXPECT_NE(reportsFailure(cut), saved);
            if (cut.result.outcome != SaveResult::Outcome::FilesFailed) {
                EXPECT_EQ(srf == newSrf, saved);
                EXPECT_EQ(person == newPerson, saved);
            }
            EXPECT_EQ(scratchFilesIn(files, kFolder), 0u);
            return;
        }
        auto later = files.restart("run2");
        EXPECT_EQ(runSave(*later).result.outcome, SaveResult::Outcome::Saved);
        EXPECT_EQ(scratchFilesIn(*later, kFolder), 0u);
    });
}

}  // namespace
}  // namespace marquill::celeb
