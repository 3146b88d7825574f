// Build step: writes the manual page and the shell completions from the command table, so they
// offer exactly the commands and options the program takes.
#include <cstdio>
#include <string>

#include "cli/ManPage.h"
#include "cli/ShellCompletion.h"
#include "platform/Files.h"

namespace {

bool write(const std::string& path, const std::string& text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (marquill::platform::writeFileAtomically(path, {bytes, text.size()})) return true;
    std::fprintf(stderr, "marquill-make-command-files: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: marquill-make-command-files OUT-FOLDER VERSION DATE PREFIX\n"
                     "writes marquill.1, marquill.bash and _marquill into OUT-FOLDER\n");
        return 2;
    }
    using namespace marquill::cli;
    const std::string folder = argv[1];
    const auto commands = commandTable();
    const bool written =
        write(folder + "/marquill.1", manPage(commands, {argv[2], argv[3], argv[4]})) &&
        write(folder + "/marquill.bash", bashCompletion(commands)) &&
        write(folder + "/_marquill", zshCompletion(commands));
    return written ? 0 : 3;
}
