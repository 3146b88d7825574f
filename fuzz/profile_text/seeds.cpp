// Seeds: an exchange file as the save writes it, and profile text with other sections.
#include <fstream>
#include <string>

#include "celeb/ExchangeFile.h"
#include "celeb/RecordChecks.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    using namespace marquill::celeb;
    PemmData record;
    record.setName("Seed");
    record.setDescription("a\r\nb");
    SkinFileList skins;
    skins.add("/g/GameData/Skins/b003mafit_01.cmx");
    if (!writeExchangeFile(std::string(argv[1]) + "/exchange.srf", record, {}, skins)) return 1;
    std::ofstream(std::string(argv[1]) + "/mixed.ini")
        << "; c\n[A]\nx=1\r\n\n[Marquill]\nName=y\rz\n";
    return 0;
}
