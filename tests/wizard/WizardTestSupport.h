#pragma once
// What the wizard tests share: a host that records everything the wizard asks of its window
// system and answers its dialogs from a script, an environment with a game folder of the test's
// choosing, and rigs with and without the preview scene.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "celeb/SaveSequence.h"
#include "content/DemoInstallation.h"
#include "content/TemplatePerson.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "image/ImageLibrary.h"
#include "platform/AsciiCase.h"
#include "platform/RandomSource.h"
#include "preview/PreviewTestSupport.h"
#include "preview/SteppedClock.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"
#include "wizard/PickerDialog.h"

namespace marquill::wizard::testing {

class RecordingSounds final : public platform::SoundPlayer {
  public:
    void playNamed(std::string_view name) override { played.emplace_back(name); }
    void playNamedAndWait(std::string_view name) override {
        played.push_back("wait:" + std::string(name));
    }
    void playFile(const std::string& path) override { files.push_back(path); }
    void stopAll() override { played.emplace_back("stop"); }

    [[nodiscard]] int count(std::string_view name) const {
        int n = 0;
        // Sound names are case-insensitive.
        for (const std::string& p : played)
            if (platform::equalsIgnoringCase(p, name)) ++n;
        return n;
    }
    std::vector<std::string> played, files;
};

// One modal dialog as the wizard opened it.
struct ModalRecord {
    std::string dialog;   // the template's name: "CPemmSaved", "MarquillPickNhood", ...
    std::string caption;  // the title shown
    std::string text;     // the message, or the picker's text when it opened
};

class RecordingHost final : public WizardHost {
  public:
    using Answer = std::function<void(DialogModel&)>;

    int runModal(DialogModel& dialog) override {
        ModalRecord r{std::string(dialog.dialogTemplate().name), dialog.caption(), ""};
        if (dialog.controls().contains(id::kMessageText))
            r.text = dialog.control(id::kMessageText).text;
        if (dialog.controls().contains(id::kPickerMessage))
            r.text = dialog.control(id::kPickerMessage).text;
        modals.push_back(r);
        if (modals.size() > 200) {
            // A wizard that never lets go of a dialog: leave it so the test ends.
            ADD_FAILURE() << "more than 200 dialogs";
            dialog.click(id::kPickerLeave);
        } else if (std::deque<Answer>& queue = r.dialog == kPicker ? pickerAnswers : answers;
                   !queue.empty()) {
            Answer a = std::move(queue.front());
            queue.pop_front();
            a(dialog);
        } else {
            dialog.enter();
        }
        if (!dialog.result()) dialog.close();
        if (!dialog.result()) dialog.timeout();
        EXPECT_TRUE(dialog.result().has_value()) << r.dialog;
        return dialog.result().value_or(0);
    }
    std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest& request) override {
        saveRequests.push_back(request);
        return savePath;
    }
    // The folder dialog answers from `folders`, then cancels.
    std::optional<std::string> chooseFolder(std::string_view, const std::string&) override {
        ++folderDialogs;
        if (folders.empty()) return std::nullopt;
        auto folder = folders.front();
        folders.pop_front();
        return folder;
    }
    // The open-file dialog answers `openPath` (none: cancelled).
    std::optional<std::string> chooseOpenPath(std::string_view title, std::string_view,
                                              const std::string& initialFolder) override {
        openRequests.emplace_back(std::string(title), initialFolder);
        return openPath;
    }
    void controlsChanged(const std::vector<int>& ids) override {
        changed.insert(changed.end(), ids.begin(), ids.end());
    }
    void redraw() override { ++redraws; }
    void previewChanged(const PreviewFrame&) override { ++previewFrames; }
    void setIcon(std::string_view large, std::string_view small) override {
        icons = {std::string(large), std::string(small)};
    }
    void appendSystemMenuItem(std::string_view text, int command) override {
        menu.emplace_back(std::string(text), command);
    }
    void addToolTip(int controlId, std::string_view text) override {
        tips.emplace_back(controlId, std::string(text));
    }
    void setCursor(Cursor cursor) override { cursors.push_back(cursor); }
    [[nodiscard]] bool isForeground() const override { return true; }
    void setFrameTimer(int periodMs) override { timer.push_back(periodMs); }
    void openShell(std::string_view what) override { opened.emplace_back(what); }
    platform::SoundPlayer& sounds() override { return soundPlayer; }
    void trace(std::string_view line) override { traces.emplace_back(line); }
    void endDialog(DialogResult result) override { ended = result; }
    void postQuit(int exitCode) override { quit = exitCode; }

    static constexpr std::string_view kPicker = "MarquillPickNhood";

    // Answers the next dialog other than the picker by pressing a button.
    void press(int controlId) {
        answers.push_back([controlId](DialogModel& d) { d.click(controlId); });
    }
    // Answers the next picker: Next `nexts` times, then the button.
    void pick(int nexts, int button = id::kOk) {
        pickerAnswers.push_back([nexts, button](DialogModel& d) {
            for (int i = 0; i < nexts; ++i)
                d.click(id::kPickerNext);
            d.click(button);
        });
    }
    [[nodiscard]] std::vector<ModalRecord> modalsOf(std::string_view dialog) const {
        std::vector<ModalRecord> out;
        for (const ModalRecord& m : modals)
            if (m.dialog == dialog) out.push_back(m);
        return out;
    }
    [[nodiscard]] std::vector<ModalRecord> messages() const { return modalsOf("CPemmSaved"); }

    // Unanswered dialogs get Enter: OK.
    std::deque<Answer> answers, pickerAnswers;
    std::optional<std::string> savePath;
    std::optional<std::string> openPath;
    std::vector<std::pair<std::string, std::string>> openRequests;  // title, folder
    std::deque<std::string> folders;
    int folderDialogs = 0;
    std::vector<celeb::SaveDialogRequest> saveRequests;
    std::vector<ModalRecord> modals;
    std::vector<int> changed;
    int redraws = 0, previewFrames = 0;
    std::vector<std::string> icons;
    std::vector<std::pair<std::string, int>> menu;
    std::vector<std::pair<int, std::string>> tips;
    std::vector<Cursor> cursors;
    std::vector<int> timer;
    std::vector<std::string> opened, traces;
    std::optional<DialogResult> ended;
    std::optional<int> quit;
    RecordingSounds soundPlayer;
};

class FakeEnvironment final : public WizardEnvironment {
  public:
    std::optional<std::string> gameFolder() override {
        ++lookups;
        return game;
    }
    bool isGameRunning(const std::string&) override { return running; }
    std::string startupDirectory() override { return startup; }
    std::string templatePersonFile() override { return templatePath; }
    bool changeFolder(const std::string& folder) override {
        entered.push_back(folder);
        return std::filesystem::is_directory(folder);
    }
    bool createFolder(const std::string& folder) override {
        created.push_back(folder);
        if (!creatable) return false;
        std::error_code ec;
        return std::filesystem::create_directory(folder, ec);
    }
    std::string currentFolder() override { return startup; }

    std::optional<std::string> game;
    bool running = false;
    bool creatable = true;
    std::string startup = "/tool";
    std::string templatePath;
    int lookups = 0;
    std::vector<std::string> entered, created;
};

// Answers the save sequence with one path and declines the exchange site: a celebrity saved as
// the wizard saves it, without pictures.
class FileOnlySaveHost final : public celeb::SaveHost {
  public:
    explicit FileOnlySaveHost(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest&) override {
        return path_;
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    void openAddress(std::string_view) override {}
    void status(std::string_view) override {}
    void showMessage(std::string_view, std::string_view) override {}

  private:
    std::string path_;
};

// The demo installation, written once for the whole test program; tests that write into a game
// copy it first.
using preview::testing::demoGameFolder;

inline void copyDemoTo(const std::string& folder) {
    std::filesystem::copy(demoGameFolder(), folder, std::filesystem::copy_options::recursive);
}

// A wizard on a test's game folder, with the preview or without it.
class WizardRig {
  public:
    enum class Preview { None, Scene };

    explicit WizardRig(std::optional<std::string> game, Preview preview = Preview::None) {
        env.game = std::move(game);
        env.startup = tool.root();
        env.templatePath = tool.root() + "/" + content::kTemplateFileName;
        std::string error;
        EXPECT_TRUE(content::writeTemplatePersonFile(env.templatePath, &error)) << error;
        options.splash = false;
        options.import.backupRoot = tool.root() + "/backups";
        if (preview == Preview::Scene) {
            options.scene = [this](preview::PreviewHost& sceneHost, const std::string& folder,
                                   character::LookSelection& look) {
                index = std::make_unique<fileindex::FolderIndex>(folder);
                types = std::make_unique<fileindex::FileTypeRegistry>(*index);
                preview::PreviewEnvironment e;
                e.systemTime = clock.source();
                e.index = index.get();
                e.types = types.get();
                e.randomSeed = 7;
                e.look = &look;
                if (!images)
                    images = image::PictrixLibrary::load(std::string(MARQUILL_BINARY_DIR) +
                                                         "/pictrix/libpictrix.so");
                e.images = images.get();
                ++scenesMade;
                return std::make_unique<preview::PreviewScene>(
                    sceneHost, folder, preview::kPreviewWidth, preview::kPreviewHeight, random,
                    std::move(e));
            };
        }
    }
    ~WizardRig() { dialog.reset(); }

    bool start() {
        dialog = std::make_unique<CMarquillDlg>(host, env, random, options);
        return dialog->initDialog();
    }
    // Starts, then ticks until the preview is ready.
    bool startWithPreview() {
        if (!start()) return false;
        dialog->shown(true);
        dialog->activate(true);
        for (int i = 0; i < 3 && !(dialog->scene() && dialog->scene()->ready()); ++i) {
            clock.advance(10);
            dialog->timerTick();
        }
        return dialog->scene() && dialog->scene()->ready();
    }

    CMarquillDlg& dlg() { return *dialog; }
    const ControlState& control(int controlId) const { return dialog->control(controlId); }
    const std::string& status() const { return control(id::kStatus).text; }
    const std::vector<std::string>& items(int controlId) const { return control(controlId).items; }
    void select(int controlId, std::vector<int> selection) {
        dialog->listSelectionChanged(controlId, std::move(selection));
    }

    marquill::testing::TempTree tool;  // the start-up folder: readme, template, backups
    RecordingHost host;
    FakeEnvironment env;
    platform::SeededRandom random{3};
    preview::SteppedClock clock;
    std::unique_ptr<fileindex::FolderIndex> index;
    std::unique_ptr<fileindex::FileTypeRegistry> types;
    std::unique_ptr<image::PictrixLibrary> images;
    int scenesMade = 0;
    WizardOptions options;
    std::unique_ptr<CMarquillDlg> dialog;
};

}  // namespace marquill::wizard::testing

namespace marquill::wizard::testing {

// Steps 3 to 6 through the wizard's events, from step 3 on to step 7.
inline void passTraitPages(WizardRig& rig, std::string_view name, std::string_view description) {
    CMarquillDlg& d = rig.dlg();
    d.editChanged(id::kName, name);
    d.editChanged(id::kDescription, description);
    d.click(id::kNext);
    // Neat 5, Active 6, Playful 3, Outgoing 8, Nice 3: Aries.
    d.sliderMoved(id::kNeat, 5);
    d.sliderMoved(id::kActive, 6);
    d.sliderMoved(id::kPlayful, 3);
    d.sliderMoved(id::kOutgoing, 8);
    d.sliderMoved(id::kNice, 3);
    d.click(id::kNext);
    // Top: Weather, Hollywood, Romance, Technology, Money; low: Politics and four more.
    d.listSelectionChanged(id::kAvailable, {0, 1, 2, 3, 4});
    d.click(id::kAddTop);
    // Available now: Parties, Travel, Politics, 60's Stuff, Style, Sports, Music, ...
    d.listSelectionChanged(id::kAvailable, {2, 3, 4, 5, 6});
    d.click(id::kAddLow);
    d.click(id::kNext);
    d.listSelectionChanged(id::kFame, {6});
    d.click(id::kNext);
}

}  // namespace marquill::wizard::testing
