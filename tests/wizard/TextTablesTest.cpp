// Properties of the wizard's tables of texts, sounds, tool tips and dialog templates: each name
// defined once is used, each picture and sound it names exists, each id is one control.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "platform/SoundNames.h"
#include "wizard/ControlIds.h"
#include "wizard/DialogTemplate.h"
#include "wizard/ToolTips.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {
namespace {

namespace fs = std::filesystem;

std::string textOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The names a header defines as `inline constexpr ... kName`.
std::vector<std::string> constantsOf(const std::string& header) {
    std::vector<std::string> names;
    const std::regex definition(R"(inline constexpr [^=]*\b(k[A-Z]\w*)\s*=)");
    const std::string text = textOf(fs::path(MARQUILL_SOURCE_DIR) / header);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), definition);
         it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

// How often each constant-like name (kName) appears in the program's sources, by file.
std::map<std::string, std::map<fs::path, int>> constantUses() {
    std::map<std::string, std::map<fs::path, int>> uses;
    auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(MARQUILL_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file()) continue;
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        const std::string text = textOf(entry.path());
        for (size_t i = 0; i < text.size();) {
            if (!word(text[i])) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < text.size() && word(text[end]))
                ++end;
            if (text[i] == 'k' && end > i + 1 &&
                std::isupper(static_cast<unsigned char>(text[i + 1])))
                ++uses[text.substr(i, end - i)][entry.path()];
            i = end;
        }
    }
    return uses;
}

TEST(TextTables, EveryTextAndSoundNameDefinedOnceIsUsedAndEverySoundExists) {
    const auto uses = constantUses();
    for (const std::string header : {"src/wizard/WizardTexts.h", "src/platform/SoundNames.h"}) {
        const std::vector<std::string> names = constantsOf(header);
        ASSERT_GT(names.size(), 2u) << header;
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << header;
        const fs::path own = fs::path(MARQUILL_SOURCE_DIR) / header;
        for (const std::string& name : names) {
            int count = 0;
            if (auto found = uses.find(name); found != uses.end())
                for (const auto& [file, n] : found->second)
                    count += file == own ? n - 1 : n;  // its own definition aside
            EXPECT_GT(count, 0) << name << " of " << header << " is used nowhere";
        }
    }
    const fs::path assets = fs::path(MARQUILL_BINARY_DIR) / "src/cli/assets";
    for (std::string_view name :
         {platform::sound::kStartup, platform::sound::kClick, platform::sound::kDenied})
        EXPECT_TRUE(fs::exists(assets / (std::string(name) + ".wav"))) << name;
}

TEST(TextTables, EachTemplateHoldsEachIdOnceInsideItselfWithItsPictures) {
    const fs::path assets = fs::path(MARQUILL_BINARY_DIR) / "src/cli/assets";
    for (const DialogTemplate* d :
         {&wizardDialogTemplate(), &aboutDialogTemplate(), &messageDialogTemplate(),
          &confirmDialogTemplate(), &splashDialogTemplate(), &pickerDialogTemplate(),
          &gameChooserDialogTemplate(), &notDetectedDialogTemplate()}) {
        std::map<int, int> seen;
        for (const ControlLayout& c : d->controls) {
            EXPECT_EQ(++seen[c.id], 1) << d->name << " " << c.id;
            EXPECT_EQ(d->find(c.id), &c) << d->name << " " << c.id;
            EXPECT_GE(c.x, 0) << d->name << " " << c.id;
            EXPECT_GE(c.y, 0) << d->name << " " << c.id;
            EXPECT_LE(c.x + c.w, d->width) << d->name << " " << c.id;
            EXPECT_LE(c.y + c.h, d->height) << d->name << " " << c.id;
            // A picture button's four states (up, down, focus, disabled) are four pictures.
            if (c.kind != ControlKind::PictureButton) continue;
            for (const char* state : {"U", "D", "F", "X"}) {
                EXPECT_TRUE(fs::exists(assets / (std::string(c.picture) + state + ".bmp")))
                    << d->name << " " << c.picture << state;
            }
        }
    }
}

TEST(TextTables, EveryToolTipBelongsToAControlOfTheWizard) {
    ASSERT_FALSE(toolTips().empty());
    for (const ToolTip& tip : toolTips()) {
        EXPECT_NE(wizardDialogTemplate().find(tip.controlId), nullptr) << tip.controlId;
        EXPECT_FALSE(tip.text.empty()) << tip.controlId;
    }
}

}  // namespace
}  // namespace marquill::wizard
