// Build step: writes the template person file (QT_Template.iff) that is installed beside the tool.
#include <cstdio>
#include <string>

#include "content/TemplatePerson.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: marquill-make-template OUT.iff\n");
        return 2;
    }
    std::string error;
    if (!marquill::content::writeTemplatePersonFile(argv[1], &error)) {
        std::fprintf(stderr, "marquill-make-template: %s\n", error.c_str());
        return 3;
    }
    return 0;
}
