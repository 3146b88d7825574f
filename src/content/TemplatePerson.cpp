#include "content/TemplatePerson.h"

namespace marquill::content {

PersonSpec templatePersonSpec() {
    PersonSpec spec;
    spec.guid = 0x5154E001;
    spec.objectName = "QT_Template";
    spec.namesByLanguage = {
        {"Template Pemm", "A person waiting to become somebody."},
        {"Pemm mod\xC3\xA8le", "Une personne qui attend de devenir quelqu'un."},
        {"Vorlage", "Eine Person, die darauf wartet, jemand zu werden."},
        {"Plantilla", "Una persona que espera ser alguien."},
    };
    spec.bodyStrings = personBodyStrings(0, 1, 0, "c011ma_repo", "C011mamed_rotc", "b003mafit_01",
                                         "B003MAFitmed_bmoc");
    spec.constants.assign(personConstantLabels().size(), 0);
    spec.constants[1] = 25;  // age
    spec.constants[23] = 200;
    spec.constants[24] = 100;
    spec.pictures = 4;
    return spec;
}

bool writeTemplatePersonFile(const std::string& path, std::string* error) {
    return writePersonFile(path, templatePersonSpec(), error);
}

}  // namespace marquill::content
