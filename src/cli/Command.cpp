#include "cli/Command.h"

#include <cstdio>

namespace marquill::cli {

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "marquill: %s\n", message.c_str());
    return code;
}

}  // namespace marquill::cli
