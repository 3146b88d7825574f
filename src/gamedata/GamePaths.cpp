#include "gamedata/GamePaths.h"

#include <cstdio>

#include "platform/GamePath.h"

namespace marquill::gamedata {

std::string userDataName(int n) {
    return n == 1 ? "UserData" : "UserData" + std::to_string(n);
}

std::string GamePaths::userDataFolder(int n) const {
    return platform::resolveGamePath(game_, userDataName(n));
}

std::string GamePaths::neighborhoodFile(int n) const {
    return platform::resolveGamePath(game_, userDataName(n) + "/Neighborhood.iff");
}

std::string GamePaths::personFolder(int n) const {
    return platform::resolveGamePath(game_, userDataName(n) + "/Characters") + "/";
}

std::string GamePaths::templateCelebrityFolder() const {
    return platform::resolveGamePath(game_, "TemplateCelebrity") + "/";
}

bool GamePaths::neighborhoodExists(int n) const {
    // The game's test: the file can be opened for reading.
    std::FILE* f = std::fopen(neighborhoodFile(n).c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace marquill::gamedata
