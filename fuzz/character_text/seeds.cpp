#include "../CharacterSeeds.h"

int main(int argc, char** argv) {
    using namespace marquill;
    if (argc < 2) return 2;
    int n = 0;
    for (const auto& f : fuzzseeds::characterFiles()) {
        auto b = fuzzseeds::bytesOf([&](platform::ByteSink& s) {
            return content::writeCharacterFile(f, character::FileFormat::Text, s);
        });
        if (b.empty() || !fuzzseeds::save(argv[1], "seed" + std::to_string(n++), b)) return 1;
    }
    return 0;
}
