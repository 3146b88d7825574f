#include "cli/ShellCompletion.h"

namespace marquill::cli {
namespace {

std::string choiceWords(std::string_view choices) {
    std::string words(choices);
    for (char& c : words)
        if (c == '|') c = ' ';
    return words;
}

// What a command's operands are: file names, folder names or neither.
Value operandKind(const CommandSpec& command) {
    for (const Operand& o : command.operands)
        if (o.value == Value::File || o.value == Value::Folder) return o.value;
    return Value::Text;
}

// Inside single quotes in a shell script.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string bashValueCase(const Option& o) {
    const std::string label = "            --" + std::string(o.name) + ") ";
    switch (o.value) {
        case Value::None:
            return {};
        case Value::Choice:
            return label + "_marquill_words " + quoted(choiceWords(o.choices)) + " ;;\n";
        case Value::File:
            return label + "_marquill_files ;;\n";
        case Value::Folder:
            return label + "_marquill_folders ;;\n";
        case Value::Text:
            return label + "COMPREPLY=() ;;\n";
    }
    return {};
}

// zsh's _arguments description: the brackets and colons of its syntax escaped.
std::string zshHelp(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string zshArgument(const Option& o) {
    std::string argument = "--" + std::string(o.name);
    if (o.value == Value::None) return quoted(argument + "[" + zshHelp(o.help) + "]");
    argument += "=[" + zshHelp(o.help) + "]:" + zshHelp(o.argument) + ":";
    switch (o.value) {
        case Value::Choice:
            argument += "(" + choiceWords(o.choices) + ")";
            break;
        case Value::File:
            argument += "_files";
            break;
        case Value::Folder:
            argument += "_files -/";
            break;
        case Value::Text:
        case Value::None:
            argument += " ";
            break;
    }
    return quoted(argument);
}

}  // namespace

std::string bashCompletion(std::span<const CommandSpec> commands) {
    std::string names;
    for (const CommandSpec& c : commands)
        names += (names.empty() ? "" : " ") + std::string(c.name);
    std::string out =
        "# bash completion for marquill, made from its command table\n"
        "_marquill_words() { mapfile -t COMPREPLY < <(compgen -W \"$1\" -- \"$cur\"); }\n"
        "_marquill_files() {\n"
        "    compopt -o filenames 2>/dev/null\n"
        "    mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
        "}\n"
        "_marquill_folders() {\n"
        "    compopt -o filenames 2>/dev/null\n"
        "    mapfile -t COMPREPLY < <(compgen -d -- \"$cur\")\n"
        "}\n"
        "_marquill() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=\n"
        "    local option= command=gui\n"
        "    (( COMP_CWORD > 0 )) && prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    # bash splits --option=value at the '='\n"
        "    if [[ $cur == = ]]; then\n"
        "        cur= option=$prev\n"
        "    elif [[ $prev == = ]] && (( COMP_CWORD > 1 )); then\n"
        "        option=${COMP_WORDS[COMP_CWORD-2]}\n"
        "    elif [[ $prev == --* ]]; then\n"
        "        option=$prev\n"
        "    fi\n"
        "    if (( COMP_CWORD > 1 )) && [[ ${COMP_WORDS[1]} != -* ]]; then\n"
        "        command=${COMP_WORDS[1]}\n"
        "    fi\n"
        "    if (( COMP_CWORD == 1 )) && [[ $cur != -* ]]; then\n"
        "        _marquill_words " +
        quoted(names) +
        "\n"
        "        return\n"
        "    fi\n"
        "    local options= operands=none\n"
        "    case $command in\n";
    for (const CommandSpec& c : commands) {
        std::string words;
        std::string values;
        for (const Option& o : optionsOf(c)) {
            words += (words.empty() ? "--" : " --") + std::string(o.name);
            values += bashValueCase(o);
        }
        out += "    " + std::string(c.name) + ")\n";
        if (!values.empty())
            out += "        case $option in\n" + values + "            *) option= ;;\n" +
                   "        esac\n";
        else
            out += "        option=\n";
        const Value operands = operandKind(c);
        out += "        options=" + quoted(words) + " operands=" +
               (operands == Value::File     ? "files"
                : operands == Value::Folder ? "folders"
                                            : "none") +
               " ;;\n";
    }
    out +=
        "    *) return ;;\n"
        "    esac\n"
        "    # a value was completed above\n"
        "    [[ -n $option ]] && return\n"
        "    if [[ $cur == -* ]]; then\n"
        "        _marquill_words \"$options\"\n"
        "    elif [[ $operands != none ]]; then\n"
        "        _marquill_$operands\n"
        "    fi\n"
        "}\n"
        "complete -F _marquill marquill\n";
    return out;
}

std::string zshCompletion(std::span<const CommandSpec> commands) {
    std::string out =
        "#compdef marquill\n"
        "# zsh completion for marquill, made from its command table\n"
        "_marquill() {\n"
        "    local -a commands\n"
        "    commands=(\n";
    for (const CommandSpec& c : commands)
        out += "        " + quoted(std::string(c.name) + ":" + zshHelp(c.summary)) + "\n";
    out +=
        "    )\n"
        "    if (( CURRENT == 2 )) && [[ $words[CURRENT] != -* ]]; then\n"
        "        _describe -t commands 'marquill command' commands\n"
        "        return\n"
        "    fi\n"
        "    local command=gui\n"
        "    if [[ $words[2] != -* ]]; then\n"
        "        command=$words[2]\n"
        "        shift words\n"
        "        (( CURRENT-- ))\n"
        "    fi\n"
        "    case $command in\n";
    for (const CommandSpec& c : commands) {
        out += "    " + std::string(c.name) + ")\n        _arguments";
        for (const Option& o : optionsOf(c))
            out += " \\\n            " + zshArgument(o);
        const Value operands = operandKind(c);
        if (operands == Value::File) out += " \\\n            '*:file:_files'";
        if (operands == Value::Folder) out += " \\\n            '*:folder:_files -/'";
        out += " ;;\n";
    }
    out +=
        "    esac\n"
        "}\n"
        "_marquill \"$@\"\n";
    return out;
}

}  // namespace marquill::cli
