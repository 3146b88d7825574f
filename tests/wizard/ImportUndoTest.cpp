// "Undo an import..." from the wizard's menu: the backups newest first in the tool's own list
// dialog, the confirmation, the refusal while the game runs, and the file put back.
#include <gtest/gtest.h>

#include "gamedata/Backups.h"
#include "platform/Files.h"
#include "wizard/WizardTestSupport.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

std::vector<uint8_t> bytes(std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST(ImportUndo, NewestFirstAskedThenRefusedWhileTheGameRunsThenPutBack) {
    WizardRig rig(std::nullopt);
    rig.env.game = rig.tool.root() + "/game";
    rig.tool.file("game/TemplateCelebrity/.keep", "");
    ASSERT_TRUE(rig.start());
    auto undo = [&] { rig.dlg().systemMenu(id::kSystemMenuUndoImport); };
    ASSERT_TRUE(std::any_of(rig.host.menu.begin(), rig.host.menu.end(), [](const auto& item) {
        return item.first == text::kUndoImportMenuItem && item.second == id::kSystemMenuUndoImport;
    }));

    undo();
    ASSERT_FALSE(rig.host.messages().empty());
    EXPECT_EQ(rig.host.messages().back().text, text::kNoImportToUndo);

    // Two imports, the second the newer.
    const std::string characters = rig.tool.root() + "/game/UserData/Characters/";
    gamedata::BackupStore store(*rig.options.import.backupRoot);
    std::string error;
    for (const char* person : {"User00004.iff", "User00005.iff"}) {
        rig.tool.file(std::string("game/UserData/Characters/") + person, "original");
        ASSERT_TRUE(store.save(*rig.env.game, 1, characters + person, "/x/Star.iff", &error))
            << error;
        rig.tool.file(std::string("game/UserData/Characters/") + person, "replaced");
    }
    std::vector<std::string> shown;
    auto takeFirst = [&](DialogModel& d) {
        shown = d.control(id::kGameChooserList).items;
        d.click(id::kOk);
    };

    // Cancelled at the list, then at the question: nothing changes.
    rig.host.answers.push_back([&](DialogModel& d) {
        shown = d.control(id::kGameChooserList).items;
        d.click(id::kCancel);
    });
    undo();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find("User00005.iff, replaced by Star.iff"), std::string::npos) << shown[0];
    EXPECT_NE(shown[1].find("User00004.iff"), std::string::npos) << shown[1];
    rig.host.answers.push_back(takeFirst);
    rig.host.answers.push_back([](DialogModel& d) { d.click(id::kCancel); });
    undo();
    EXPECT_EQ(platform::readWholeFile(characters + "User00005.iff"), bytes("replaced"));

    rig.env.running = true;
    rig.host.answers.push_back(takeFirst);
    undo();
    EXPECT_EQ(rig.host.messages().back().text, text::kGameRunning);
    EXPECT_EQ(platform::readWholeFile(characters + "User00005.iff"), bytes("replaced"));

    rig.env.running = false;
    rig.host.answers.push_back(takeFirst);
    undo();
    EXPECT_EQ(rig.host.messages().back().text,
              "User00005.iff is back as it was before the import.");
    EXPECT_EQ(platform::readWholeFile(characters + "User00005.iff"), bytes("original"));
    EXPECT_EQ(platform::readWholeFile(characters + "User00004.iff"), bytes("replaced"));
}

}  // namespace
}  // namespace marquill::wizard
