#include "../CharacterSeeds.h"

int main(int argc, char** argv) {
    using namespace marquill;
    if (argc < 2) return 2;
    std::vector<content::FarFile> files;
    for (const auto& f : fuzzseeds::characterFiles()) {
        files.push_back({"Skins\\file" + std::to_string(files.size()) + ".cmx",
                         fuzzseeds::bytesOf([&](platform::ByteSink& s) {
                             return content::writeCharacterFile(f, character::FileFormat::Text, s);
                         })});
    }
    files.push_back({"Skins\\Sub\\empty.bmp", {}});
    auto b = fuzzseeds::bytesOf([&](platform::ByteSink& s) { return content::writeFar(files, s); });
    std::vector<content::FarFile> none;
    auto e = fuzzseeds::bytesOf([&](platform::ByteSink& s) { return content::writeFar(none, s); });
    return !b.empty() && fuzzseeds::save(argv[1], "seed0", b) &&
                   fuzzseeds::save(argv[1], "seed1", e)
               ? 0
               : 1;
}
