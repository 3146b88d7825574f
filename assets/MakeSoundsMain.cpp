// Writes the tool's WAVE sounds into the folder given on the command line.
#include <cstdio>
#include <string>

#include "SoundSynth.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: marquill-make-sounds FOLDER\n");
        return 2;
    }
    for (const auto& sound : marquill::assets::makeAllSounds()) {
        std::string path = std::string(argv[1]) + "/" + sound.name + ".wav";
        marquill::platform::FileSink file(path);
        marquill::assets::writeWave(sound.samples, file);
        if (!file.close()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 3;
        }
    }
    return 0;
}
