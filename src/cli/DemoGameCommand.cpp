#include <cstdio>
#include <cstdlib>

#include "cli/Args.h"
#include "cli/Command.h"
#include "content/DemoInstallation.h"

namespace marquill::cli {

int runDemoGame(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {}, &error);
    if (!args || args->positional().size() != 1)
        return fail(kExitUsage, args ? "usage: marquill demo-game DIR [--scale N]" : error);
    content::DemoOptions options;
    if (auto scale = args->value("scale")) {
        char* end = nullptr;
        long n = std::strtol(scale->c_str(), &end, 10);
        if (*end != '\0' || n < 1 || n > 1000) return fail(kExitUsage, "--scale takes 1 to 1000");
        options.scale = static_cast<int>(n);
    }
    if (!content::writeDemoInstallation(args->positional()[0], options, &error))
        return fail(kExitFileError, error);
    return kExitDone;
}

}  // namespace marquill::cli
