// Seeds: a celebrity as the save writes it from the template, and a person file of another tool
// with short constants and body strings without their commas.
#include <cstdio>
#include <string>

#include "content/PersonFileWriter.h"
#include "content/TemplatePerson.h"
#include "gamedata/NewCelebrityFile.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::string error;
    const std::string templatePath = dir + "/template.iff";
    if (!marquill::content::writeTemplatePersonFile(templatePath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    marquill::gamedata::CelebrityValues values;
    values.name = "Zo\xc3\xab Seed";
    values.description = "Two\r\nlines";
    values.traits = {5, 5, 5, 5, 5};
    values.interestScores = {10, 10, 10, 10, 10, 5, 5, 5, 5, 5, 1, 1, 1, 1, 1};
    values.fameLevel = 7;
    values.appearance.gender = 1;
    marquill::gamedata::SilentReporter reporter;
    if (marquill::gamedata::makeNewCelebrityFile(dir + "/saved", templatePath, values, reporter)
            .code != 0) {
        std::fprintf(stderr, "the saved seed was not written\n");
        return 1;
    }
    marquill::content::PersonContents person;
    person.guid = 77;
    person.objectName = "user00001";
    person.namesByLanguage = {{"Ann", "A person."}};
    person.bodyStrings = {"Adult", "b009fafit_02 B009FAFitdrk_02", "c030fa_bob"};
    person.constants.assign(9, 1400);
    if (!marquill::content::writePersonFile(dir + "/foreign.iff", person, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
