#include "content/DemoGameData.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "content/NeighborhoodWriter.h"
#include "content/PersonFileWriter.h"
#include "content/TemplatePerson.h"

namespace marquill::content {

namespace {

struct DemoPerson {
    int number;  // User%05d.iff
    const char* name;
    const char* description;
    bool celebrity;
    bool catalogName;  // named through CATS 2000 rather than CTSS 2000
    int gender, skin, body;
    const char* head;
    const char* headTexture;
    const char* bodyMesh;
    const char* bodyTexture;
};

struct DemoNeighborhood {
    const char* folder;  // the spellings vary, as in folders copied from Windows
    const char* characters;
    uint32_t guidBase;
    std::vector<DemoPerson> persons;
};

uint32_t guidOf(const DemoNeighborhood& n, const DemoPerson& p) {
    return n.guidBase + static_cast<uint32_t>(p.number) * 0x101;
}

PersonContents personSpec(const DemoNeighborhood& n, const DemoPerson& p) {
    PersonContents person;
    person.guid = guidOf(n, p);
    char object[32];
    std::snprintf(object, sizeof object, "user%05d", p.number);
    person.objectName = object;
    person.namesByLanguage = {{p.name, p.description}};
    person.catalogName = p.catalogName;
    person.bodyStrings = personBodyStrings(p.gender, p.skin, p.body, p.head, p.headTexture,
                                           p.bodyMesh, p.bodyTexture);
    person.constants.assign(personConstantLabels().size(), 0);
    for (size_t i = 2; i < 23; ++i)
        person.constants[i] =
            static_cast<int16_t>(((p.number * 37 + static_cast<int>(i) * 11) % 10) * 100);
    person.constants[22] = static_cast<int16_t>(p.celebrity ? 3 + p.number % 7 : 0);
    person.pictures = 2;
    return person;
}

std::vector<DemoNeighborhood> demoNeighborhoods() {
    return {
        {"UserData",
         "Characters",
         0x2A000000,
         {
             {1, "Bob Newbie", "Just moved in and already lost the house key.", false, false, 0, 1,
              0, "c011ma_repo", "C011mamed_rotc", "b003mafit_01", "B003MAFitmed_bmoc"},
             {2, "Vera Voltage", "Rock singer with a weakness for gardening.", true, true, 1, 2, 2,
              "c036fa_cowg", "C036fadrk_cowg", "b005faskn_01", "B005FASkndrk_01"},
             {3, "Gus Goodman", "Cooks for the whole street on Sundays.", false, false, 0, 0, 1,
              "c005ma_hipster", "C005malgt_hip", "b002mafat_01", "B002MAFatlgt_01"},
             {4, "Marty Marquee", "The face on every second billboard in Glimmerdale.", true, false,
              0, 0, 0, "c005ma_hipster", "C005malgt_hip", "b004mafit_01", "B004MAFitlgt_01"},
             {5, "Lola Limelight", "Never leaves the house without sunglasses.", true, true, 1, 1,
              0, "c038fa_rave", "C038famed_rave", "b009fafit_02", "B009FAFitmed_02"},
             {6, "Dina Daily", "Reads three newspapers before breakfast.", false, false, 1, 1, 0,
              "c030fa_bob", "C030famed_bob", "b003fafit_02", "B003FAFitmed_02"},
         }},
        {"UserData2",
         "characters",
         0x2B000000,
         {
             {1, "Sunny Sterling", "Morning show host, permanently cheerful.", true, false, 1, 0, 0,
              "c030fa_bob", "C030falgt_bob", "b009fafit_02", "B009FAFitlgt_02"},
             {2, "Pete Plain", "Collects stamps. Only the blue ones.", false, false, 0, 2, 1,
              "c006ma_boss", "C006madrk_boss", "b002mafat_01", "B002MAFatdrk_01"},
             {3, "Rex Royale", "Action hero, afraid of moths.", true, true, 0, 2, 0, "c006ma_boss",
              "C006madrk_boss", "b004mafit_01", "B004MAFitdrk_01"},
         }},
        {"USERDATA5",
         "Characters",
         0x2C000000,
         {
             {1, "Quiet Quentin", "Nobody famous lives here.", false, false, 0, 1, 2, "c011ma_repo",
              "C011mamed_rotc", "b006maskn_01", "B006MASknmed_01"},
             {2, "Hattie Home", "Prefers the garden to the red carpet.", false, false, 1, 0, 1,
              "c030fa_bob", "C030falgt_bob", "b010fafat_01", "B010FAFatlgt_01"},
         }},
    };
}

struct ReadyCelebrity {
    const char* file;
    const char* name;
    const char* description;
    uint32_t guid;
    int gender, skin, body;
    const char* head;
    const char* headTexture;
    const char* bodyMesh;
    const char* bodyTexture;
};

}  // namespace

bool writeDemoGameData(const std::string& dir, const DemoOptions& options, std::string* error) {
    (void)options;
    namespace fs = std::filesystem;
    std::error_code ec;
    auto makeDir = [&](const fs::path& p) {
        fs::create_directories(p, ec);
        if (ec && error) *error = "cannot create " + p.string() + ": " + ec.message();
        return !ec;
    };

    for (const DemoNeighborhood& n : demoNeighborhoods()) {
        const fs::path folder = fs::path(dir) / n.folder;
        if (!makeDir(folder / n.characters)) return false;
        FamilySpec celebrities{5000, "Celebrities", {}};
        std::vector<FamilySpec> families;
        int16_t familyId = 1;
        for (const DemoPerson& p : n.persons) {
            char file[32];
            std::snprintf(file, sizeof file, "User%05d.iff", p.number);
            if (!writePersonFile((folder / n.characters / file).string(), personSpec(n, p), error))
                return false;
            if (p.celebrity) {
                celebrities.members.push_back(guidOf(n, p));
            } else {
                std::string surname = p.name;
                surname = surname.substr(surname.find(' ') + 1);
                families.push_back(FamilySpec{familyId++, surname, {guidOf(n, p)}});
            }
        }
        families.push_back(celebrities);
        if (!writeNeighborhoodFile((folder / "Neighborhood.iff").string(), families, error))
            return false;
    }

    const fs::path templates = fs::path(dir) / "TemplateCelebrity";
    if (!makeDir(templates)) return false;
    const ReadyCelebrity ready[] = {
        {"Star.iff", "Stella Starr", "Sings, dances and signs autographs with both hands.",
         0x3D000101, 1, 1, 0, "c038fa_rave", "C038famed_rave", "b009fafit_02", "B009FAFitmed_02"},
        {"Crooner.iff", "Dean Velvet", "His voice could melt a freezer.", 0x3D000202, 0, 2, 1,
         "c006ma_boss", "C006madrk_boss", "b002mafat_01", "B002MAFatdrk_01"},
    };
    for (const ReadyCelebrity& c : ready) {
        PersonContents person;
        person.guid = c.guid;
        person.objectName = c.name;
        person.namesByLanguage = {{c.name, c.description}, {c.name, c.description}};
        person.bodyStrings = personBodyStrings(c.gender, c.skin, c.body, c.head, c.headTexture,
                                               c.bodyMesh, c.bodyTexture);
        person.constants.assign(personConstantLabels().size(), 500);
        person.constants[0] = person.constants[1] = 0;
        person.constants[22] = 8;
        person.pictures = 0;
        if (!writePersonFile((templates / c.file).string(), person, error)) return false;
    }
    return writeTemplatePersonFile((templates / "QTCelebGeneric.iff").string(), error);
}

}  // namespace marquill::content
