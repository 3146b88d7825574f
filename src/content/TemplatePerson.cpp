#include "content/TemplatePerson.h"

namespace marquill::content {

PersonContents templatePersonSpec() {
    PersonContents person;
    person.guid = 0x5154E001;
    person.objectName = "QT_Template";
    person.namesByLanguage = {
        {"Template Pemm", "A person waiting to become somebody."},
        {"Pemm mod\xC3\xA8le", "Une personne qui attend de devenir quelqu'un."},
        {"Vorlage", "Eine Person, die darauf wartet, jemand zu werden."},
        {"Plantilla", "Una persona que espera ser alguien."},
    };
    person.bodyStrings = personBodyStrings(0, 1, 0, "c011ma_repo", "C011mamed_rotc", "b003mafit_01",
                                           "B003MAFitmed_bmoc");
    person.constants.assign(personConstantLabels().size(), 0);
    person.constants[1] = 25;  // age
    person.constants[23] = 200;
    person.constants[24] = 100;
    person.pictures = 4;
    return person;
}

bool writeTemplatePersonFile(const std::string& path, std::string* error) {
    return writePersonFile(path, templatePersonSpec(), error);
}

}  // namespace marquill::content
