// The help, the manual page and the shell completions, as a player meets them: the installed
// files made by the build, read by groff, man, bash and zsh. Each must offer exactly what the
// command table holds, and the commands must take what the table says they take.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/CommandTable.h"
#include "cli/ShellRun.h"

namespace {

using marquill::cli::CommandSpec;
using marquill::cli::commandTable;
using marquill::cli::Option;
using marquill::cli::optionsOf;
using marquill::cli::Value;

const std::string kBuiltFiles = std::string(MARQUILL_BINARY_DIR) + "/src/cli";
const std::string kMarquill = kBuiltFiles + "/marquill";

using Outcome = marquill::test::ShellRun;
using marquill::test::shell;

std::string shellQuoted(std::string_view text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool hasLine(const std::string& lines, const std::string& line) {
    return ("\n" + lines).find("\n" + line + "\n") != std::string::npos;
}

std::string dashed(std::string_view name) {
    return "--" + std::string(name);
}

std::vector<std::string> choicesOf(const Option& o) {
    std::vector<std::string> words;
    std::stringstream s{std::string(o.choices)};
    for (std::string w; std::getline(s, w, '|');)
        words.push_back(w);
    return words;
}

TEST(Help, ListsEveryCommandAndEachCommandsOptions) {
    const Outcome all = shell(kMarquill + " help");
    ASSERT_EQ(all.status, 0);
    for (const CommandSpec& c : commandTable()) {
        EXPECT_TRUE(hasLine(all.out, "  " + marquill::cli::usageOf(c))) << c.name;
        const Outcome one = shell(kMarquill + " help " + std::string(c.name));
        ASSERT_EQ(one.status, 0) << c.name;
        for (const Option& o : optionsOf(c))
            EXPECT_NE(one.out.find("  " + dashed(o.name) + " "), std::string::npos)
                << c.name << " " << o.name;
    }
    EXPECT_EQ(shell(kMarquill + " help no-such-command 2>/dev/null").status, 2);
}

TEST(ManPage, RendersWithoutWarningsAndDocumentsEveryCommandAndOption) {
    const std::string page = kBuiltFiles + "/marquill.1";
    const Outcome warnings = shell("groff -ww -man -Tutf8 " + page + " 2>&1 >/dev/null");
    EXPECT_EQ(warnings.status, 0);
    EXPECT_EQ(warnings.out, "");
    // As `man marquill` shows the installed, compressed page.
    const Outcome shown = shell("MANWIDTH=100 man -l -P cat " + page + ".gz 2>&1");
    ASSERT_EQ(shown.status, 0);
    for (const char* section :
         {"NAME", "SYNOPSIS", "COMMANDS", "EXIT STATUS", "ENVIRONMENT", "FILES"})
        EXPECT_TRUE(hasLine(shown.out, section)) << section;
    const std::string source = text(page);
    auto escaped = [](std::string_view word) {
        std::string out;
        for (char c : word)
            out += c == '-' ? std::string("\\-") : std::string(1, c);
        return out;
    };
    for (const CommandSpec& c : commandTable()) {
        EXPECT_NE(source.find("\"marquill " + escaped(c.name) + "\""), std::string::npos) << c.name;
        for (const Option& o : optionsOf(c)) {
            // An entry of its own: the option alone, or with its argument after it.
            const std::string entry =
                "\\-\\-" + escaped(o.name) + (o.argument.empty() ? "\n" : " \"");
            EXPECT_NE(source.find(entry), std::string::npos) << o.name;
        }
    }
}

// What bash offers for the words typed so far (the last one being completed), from the
// completion script the package installs, run from `folder`.
std::vector<std::string> bashOffers(const std::vector<std::string>& typed,
                                    const std::string& folder = ".") {
    std::string words = "marquill";
    for (const std::string& w : typed)
        words += " " + shellQuoted(w);
    const std::string script = "cd " + shellQuoted(folder) + " && source " +
                               shellQuoted(kBuiltFiles + "/marquill.bash") + " && COMP_WORDS=(" +
                               words + ") COMP_CWORD=" + std::to_string(typed.size()) +
                               " && _marquill && printf '%s\\n' \"${COMPREPLY[@]}\"";
    const Outcome run = shell("bash --norc --noprofile -c " + shellQuoted(script));
    std::vector<std::string> offers;
    std::stringstream s(run.out);
    for (std::string line; std::getline(s, line);)
        if (!line.empty()) offers.push_back(line);
    std::sort(offers.begin(), offers.end());
    return offers;
}

std::vector<std::string> sorted(std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    return words;
}

TEST(BashCompletion, OffersTheCommandsTheirOptionsAndTheFixedValues) {
    std::vector<std::string> names;
    for (const CommandSpec& c : commandTable())
        names.emplace_back(c.name);
    EXPECT_EQ(bashOffers({""}), sorted(names));
    EXPECT_EQ(bashOffers({"ren"}), std::vector<std::string>{"render"});
    for (const CommandSpec& c : commandTable()) {
        std::vector<std::string> options;
        for (const Option& o : optionsOf(c))
            options.push_back(dashed(o.name));
        EXPECT_EQ(bashOffers({std::string(c.name), "--"}), sorted(options)) << c.name;
        for (const Option& o : optionsOf(c)) {
            if (o.value != Value::Choice) continue;
            EXPECT_EQ(bashOffers({std::string(c.name), dashed(o.name), ""}), sorted(choicesOf(o)))
                << c.name << " " << o.name;
            // --option=value: bash splits the word at the '='.
            EXPECT_EQ(bashOffers({std::string(c.name), dashed(o.name), "=", ""}),
                      sorted(choicesOf(o)))
                << c.name << " " << o.name;
        }
    }
    // The wizard's options without a command.
    EXPECT_EQ(bashOffers({"--no"}), std::vector<std::string>{"--no-splash"});
}

TEST(BashCompletion, OffersFilesWhereAFileIsAskedAndFoldersWhereAFolderIs) {
    const std::string folder =
        testing::TempDir() + "/marquill-completion-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder + "/game");
    std::ofstream(folder + "/nova.iff") << "x";
    const std::vector<std::string> both{"game", "nova.iff"};
    EXPECT_EQ(bashOffers({"render", "--out", ""}, folder), both);
    EXPECT_EQ(bashOffers({"iff", ""}, folder), both);
    EXPECT_EQ(bashOffers({"neighborhoods", "--game-dir", ""}, folder),
              std::vector<std::string>{"game"});
    EXPECT_EQ(bashOffers({"demo-game", ""}, folder), std::vector<std::string>{"game"});
    // A value of the player's own: nothing to offer, not the folder's files.
    EXPECT_TRUE(bashOffers({"create", "--name", ""}, folder).empty());
    std::filesystem::remove_all(folder);
}

TEST(ZshCompletion, IsValidZshAndOffersEveryOption) {
    const std::string script = kBuiltFiles + "/_marquill";
    if (shell("command -v zsh >/dev/null").status != 0) GTEST_SKIP() << "zsh is not installed";
    const Outcome parsed = shell("zsh -n " + script + " 2>&1");
    EXPECT_EQ(parsed.status, 0) << parsed.out;
    const std::string source = text(script);
    for (const CommandSpec& c : commandTable()) {
        EXPECT_NE(source.find("\n    " + std::string(c.name) + ")\n"), std::string::npos) << c.name;
        for (const Option& o : optionsOf(c))
            EXPECT_NE(source.find("'" + dashed(o.name) + (o.value == Value::None ? "[" : "=[")),
                      std::string::npos)
                << o.name;
    }
}

// The commands' own parsing and the table agree: an option the table lists is known to the
// command and takes a value exactly when the table gives it an argument; one it does not list is
// refused before the command runs.
class CommandsAndTable : public testing::Test {
  protected:
    void SetUp() override {
        root_ = testing::TempDir() + "/marquill-table-" + std::to_string(::getpid());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ + "/empty-game");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // In a home of its own, on an empty game folder: nothing the player has is reached.
    Outcome run(const CommandSpec& c, const std::string& words, bool onEmptyGame = true) {
        const std::string env = "cd " + shellQuoted(root_) + " && HOME=" + shellQuoted(root_) +
                                " XDG_DATA_HOME=" + shellQuoted(root_ + "/data") +
                                " WINEPREFIX=" + shellQuoted(root_ + "/wine") + " ";
        std::string line = env + kMarquill + " " + std::string(c.name) + " " + words;
        if (onEmptyGame && (c.sets & marquill::cli::kGameDirSet)) line += " --game-dir empty-game";
        return shell(line + " 2>&1 </dev/null");
    }
    std::string root_;
};

TEST_F(CommandsAndTable, EveryListedOptionIsTakenAsTheTableSays) {
    for (const CommandSpec& c : commandTable()) {
        if (!c.run || c.name == "help") continue;
        for (const Option& o : optionsOf(c)) {
            if (o.name == "game-dir") continue;
            const std::string value = o.value == Value::Choice ? choicesOf(o)[0] : "x";
            const std::string given = dashed(o.name) + (o.value == Value::None ? "" : " " + value);
            const Outcome taken = run(c, given);
            EXPECT_EQ(taken.out.find("unknown option"), std::string::npos)
                << c.name << " " << given << ": " << taken.out;
            // Last on the line, a flag is complete and an option with an argument is not.
            const Outcome alone = run(c, dashed(o.name), false);
            EXPECT_EQ(alone.out.find("needs a value") != std::string::npos, o.value != Value::None)
                << c.name << " " << o.name << ": " << alone.out;
        }
    }
}

TEST_F(CommandsAndTable, AnOptionTheTableDoesNotListIsAUsageError) {
    for (const CommandSpec& c : commandTable()) {
        if (!c.run) continue;
        for (const char* words : {"--no-such-option 1", "--no-such-option"}) {
            const Outcome refused = run(c, words, false);
            EXPECT_EQ(refused.status, 2) << c.name;
            EXPECT_NE(refused.out.find("unknown option --no-such-option"), std::string::npos)
                << c.name << " " << words << ": " << refused.out;
        }
    }
}

}  // namespace
