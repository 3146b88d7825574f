#include "cli/ManPage.h"

namespace marquill::cli {
namespace {

// Text as roff prints it: backslashes and hyphens escaped, and a line never starting with the
// control characters.
std::string roff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string line(std::string_view text) {
    return "\\&" + roff(text) + "\n";
}

std::string optionEntry(const Option& o) {
    std::string head = ".TP\n.B \\-\\-" + roff(o.name) + "\n";
    if (!o.argument.empty()) {
        const std::string_view argument = o.value == Value::Choice ? o.choices : o.argument;
        head = ".TP\n.BI \\-\\-" + roff(o.name) + " \" \" " + roff(argument) + "\n";
    }
    return head + line(o.help);
}

std::string commandEntry(const CommandSpec& c) {
    std::string out = ".TP\n.B marquill " + roff(c.name) + "\n";
    if (!c.synopsis.empty())
        out = ".TP\n.BR \"marquill " + roff(c.name) + "\" \" " + roff(c.synopsis) + "\"\n";
    out += line(c.summary);
    if (c.sets & kLookSet) out += ".br\nTakes the appearance choices (see \\fBCHOICES\\fR).\n";
    if (c.options.size() != 0) {
        out += ".RS\n";
        for (const Option& o : c.options)
            out += optionEntry(o);
        out += ".RE\n";
    }
    return out;
}

}  // namespace

std::string manPage(std::span<const CommandSpec> commands, const ManPageFacts& facts) {
    const std::string data = roff(std::string(facts.prefix) + "/share/marquill");
    std::string out;
    out += ".TH MARQUILL 1 \"" + roff(facts.date) + "\" \"Marquill " + roff(facts.version) +
           "\" \"User Commands\"\n";
    out +=
        ".SH NAME\nmarquill \\- design celebrities for The Pemms and bring them into its "
        "neighbourhoods\n";
    out +=
        ".SH SYNOPSIS\n.B marquill\n[\\fBgui\\fR] [\\fB\\-\\-game\\-dir\\fR \\fIDIR\\fR] "
        "[\\fB\\-\\-no\\-splash\\fR]\n.br\n.B marquill\n.I COMMAND\n[\\fIoptions\\fR]\n"
        ".br\n.B marquill \\-\\-version\n";
    out +=
        ".SH DESCRIPTION\n"
        "Marquill designs celebrity persons for the life\\-simulation game The Pemms: a "
        "wizard with a live preview sets the appearance, name, personality, interests and "
        "fame, and saves the celebrity into the game's \\fBTemplateCelebrity\\fR folder as an "
        "exchange file, a person file and two snapshots.\n"
        "It also swaps celebrities into the neighbourhoods of the installed game, keeping a "
        "backup of each person file it replaces.\n"
        ".PP\n"
        "With no command, or with \\fBgui\\fR, the wizard window starts.\n"
        "The commands below do the same work without a window.\n"
        "Commands that change the game's files refuse while the game runs.\n"
        "With \\fB\\-\\-json\\fR a command prints one JSON document on standard output.\n";
    out += ".SH COMMANDS\n";
    for (const CommandSpec& c : commands)
        out += commandEntry(c);
    out += ".SH OPTIONS\nEvery command but \\fBhelp\\fR and \\fBdemo\\-game\\fR takes:\n";
    for (const Option& o : optionSet(kGameDirSet))
        out += optionEntry(o);
    out +=
        ".SH CHOICES\nThe appearance choices of \\fBcreate\\fR, \\fBskins\\fR and "
        "\\fBrender\\fR, made through the look page's lists as a player makes them: a choice "
        "left out is what the page would select, and a name the list does not offer is a "
        "usage error naming what it offers.\n";
    for (const Option& o : optionSet(kLookSet))
        out += optionEntry(o);
    out +=
        ".SH EXIT STATUS\n"
        ".TP\n.B 0\ndone\n"
        ".TP\n.B 1\nrefused; the refusal, in the wizard's words, on standard error\n"
        ".TP\n.B 2\nusage error\n"
        ".TP\n.B 3\na file or format error; its result code on standard error\n";
    out +=
        ".SH ENVIRONMENT\n"
        ".TP\n.B WINEPREFIX\n"
        "the Wine prefix whose registry names the game folder when \\fB\\-\\-game\\-dir\\fR "
        "is not given; without it the game is looked for in \\fI~/.wine\\fR and in the "
        "prefixes of the launchers (Lutris, Bottles, Steam, Heroic, PlayOnLinux, CrossOver)\n"
        ".TP\n.B HOME\nthe Wine prefixes, the launchers' files and the default data and "
        "configuration folders are under it\n"
        ".TP\n.B XDG_CONFIG_HOME\n"
        "where the chosen game is remembered (default \\fI~/.config\\fR)\n"
        ".TP\n.B XDG_DATA_HOME\n"
        "where the import backups are kept (default \\fI~/.local/share\\fR)\n"
        ".TP\n.B QT_QPA_PLATFORM\n"
        "the window system of the wizard (\\fBxcb\\fR, \\fBwayland\\fR; \\fBoffscreen\\fR "
        "draws nothing)\n"
        ".TP\n.B QT_SCALE_FACTOR\nscales the whole wizard window on a high\\-resolution screen\n"
        ".TP\n.B QT_LOGGING_RULES\n"
        "\\fBmarquill.status.info=true\\fR writes each status text of the wizard as it shows\n";
    out +=
        ".SH FILES\n"
        "\\fIGAME\\fR is the game folder.\n"
        ".TP\n.I GAME/TemplateCelebrity/\n"
        "the celebrity files: saves of the wizard and of \\fBcreate\\fR, and those offered "
        "for import\n"
        ".TP\n.IR GAME/UserData*/Neighborhood.iff \" and \" GAME/UserData*/Characters/\n"
        "the neighbourhoods and their person files, changed by \\fBimport\\fR and "
        "\\fBrestore\\fR\n"
        ".TP\n.I $XDG_CONFIG_HOME/marquill/marquill.conf\n"
        "the game chosen with \\fBgames \\-\\-choose\\fR or in the wizard's chooser\n"
        ".TP\n.I $XDG_DATA_HOME/marquill/backups/\n"
        "the person files \\fBimport\\fR replaced, which \\fBrestore\\fR puts back\n"
        ".TP\n.I " +
        data +
        "/\n"
        "the tool's data: the template person file \\fBQT_Template.iff\\fR, the players' "
        "\\fBreadme.txt\\fR, the pictures and sounds; \\fBQT_Template.iff\\fR in the current "
        "folder is taken first\n"
        ".TP\n.I " +
        roff(std::string(facts.prefix)) +
        "/lib/marquill/modules/libpictrix.so\n"
        "the image module that writes the JPEG snapshots\n";
    out += ".SH SEE ALSO\n.BR wine (1)\n";
    return out;
}

}  // namespace marquill::cli
