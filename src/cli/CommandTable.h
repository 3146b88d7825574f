#pragma once
// The commands of `marquill` and their options, once: the dispatch, `marquill help`, the manual
// page and the shell completions are all made from this table. Adding a command is one entry in
// kCommands (CommandTable.cpp).
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"

namespace marquill::cli {

// What follows an option or stands as an operand, so completion can offer the right words.
enum class Value {
    None,    // a flag
    Text,    // a word of the player's
    Choice,  // one of `choices`
    File,
    Folder,
};

struct Option {
    std::string_view name;      // without the dashes
    std::string_view argument;  // "N", "FILE"; empty for a flag
    Value value = Value::None;
    std::string_view choices;  // "male|female" for Value::Choice
    std::string_view help;
};

struct Operand {
    std::string_view name;  // as the synopsis writes it: "DIR", "FILE"
    Value value = Value::Text;
};

// Option sets several commands share, described once.
enum OptionSets : unsigned {
    kNoSets = 0,
    kGameDirSet = 1,  // --game-dir DIR
    kLookSet = 2,     // the appearance choices of create, skins and render
};

struct CommandSpec {
    std::string_view name;
    std::string_view synopsis;  // the words after the name
    std::string_view summary;
    int (*run)(const Words& words);  // none for the window, which main starts itself
    unsigned sets = kNoSets;
    std::initializer_list<Option> options;  // its own, after the shared sets
    std::initializer_list<Operand> operands;
};

// Every command in the order the help lists them.
[[nodiscard]] std::span<const CommandSpec> commandTable();
[[nodiscard]] const CommandSpec* findCommand(std::string_view name);
// The options of one shared set.
[[nodiscard]] std::span<const Option> optionSet(OptionSets set);
// The shared sets' options followed by the command's own.
[[nodiscard]] std::vector<Option> optionsOf(const CommandSpec& command);
[[nodiscard]] std::optional<Option> findOption(const CommandSpec& command, std::string_view name);
// "marquill NAME SYNOPSIS".
[[nodiscard]] std::string usageOf(const CommandSpec& command);
// "unknown option --x" and the usage for the first --option the table does not list for the
// command; empty when all are listed. The words are read as the command reads them, so an
// option's value is never taken for an option.
[[nodiscard]] std::string unlistedOption(const CommandSpec& command, const Words& words);

// `marquill help [COMMAND]`.
int runHelp(const Words& words);

}  // namespace marquill::cli
