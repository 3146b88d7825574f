#include "../CharacterSeeds.h"

int main(int argc, char** argv) {
    using namespace marquill;
    if (argc < 2) return 2;
    character::IndexFile ndx;
    ndx.skeletons = {{"adult", "people1"}};
    ndx.outfits = {{"b010mafat_casual", "people1"}, {std::string(300, 'x'), "long"}};
    for (const auto& name : content::demo::idleAnimationNames())
        ndx.animations.push_back({name, "animations"});
    auto b =
        fuzzseeds::bytesOf([&](platform::ByteSink& s) { return content::writeIndexFile(ndx, s); });
    return !b.empty() && fuzzseeds::save(argv[1], "seed0", b) ? 0 : 1;
}
