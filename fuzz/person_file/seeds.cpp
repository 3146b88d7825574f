// Seeds: the template person file and a person file as the demo installation writes them.
#include <cstdio>
#include <string>

#include "content/PersonFileWriter.h"
#include "content/TemplatePerson.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::string error;
    if (!marquill::content::writeTemplatePersonFile(dir + "/template.iff", &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    marquill::content::PersonContents person;
    person.guid = 77;
    person.objectName = "user00001";
    person.namesByLanguage = {{"Ann", "A person."}};
    person.catalogName = true;
    person.bodyStrings = marquill::content::personBodyStrings(
        1, 2, 2, "c030fa_bob", "C030fadrk_bob", "b009fafit_02", "B009FAFitdrk_02");
    person.constants.assign(5, 100);
    person.pictures = 1;
    if (!marquill::content::writePersonFile(dir + "/person.iff", person, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
