#include "platform/GameDiscovery.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/AsciiCase.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "platform/GameLocation.h"
#include "platform/GameRegistry.h"
#include "platform/MappedFile.h"
#include "platform/RememberedGame.h"

namespace marquill::platform {
namespace {

// Links resolved as far as the path exists, so a folder that has gone still compares equal to
// itself reached through a prefix's drive link.
std::string realPathOf(const std::string& path) {
    std::error_code error;
    auto real = std::filesystem::weakly_canonical(path, error);
    return error ? path : real.string();
}

// What the prefix's record says; none when the game is not recorded there at all.
std::optional<FoundGame> gameInPrefix(const std::string& prefix, GameSource source) {
    auto file = MappedFile::open(prefix + "/system.reg");
    if (!file) return std::nullopt;
    const auto bytes = file->bytes();
    auto value = findGameFolderValue(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!value) return std::nullopt;
    FoundGame game{{}, *value, prefix, {source}, {}};
    auto folder = mapWindowsPath(prefix, *value);
    if (!folder) {
        game.folder = *value;
        game.staleReason = "the drive of " + *value + " is not mapped in the prefix";
        return game;
    }
    game.folder = realPathOf(*folder);
    game.staleReason = whyNoGameFolder(game.folder);
    return game;
}

class GameList {
  public:
    explicit GameList(GameDiscovery& out) : out_(out) {}

    // The index of the game, merged with an earlier find of the same folder.
    size_t add(FoundGame game) {
        for (size_t i = 0; i < out_.games.size(); ++i) {
            FoundGame& known = out_.games[i];
            if (known.folder != game.folder) continue;
            for (GameSource source : game.sources)
                if (std::find(known.sources.begin(), known.sources.end(), source) ==
                    known.sources.end())
                    known.sources.push_back(source);
            return i;
        }
        out_.games.push_back(std::move(game));
        return out_.games.size() - 1;
    }
    // A prefix already read through another launcher adds only its source.
    std::optional<size_t> addPrefix(const std::string& prefix, GameSource source) {
        const std::string real = realPathOf(prefix);
        for (auto& [path, index] : prefixes_) {
            if (path != real) continue;
            if (index) (void)add(FoundGame{out_.games[*index].folder, {}, {}, {source}, {}});
            return index;
        }
        std::optional<size_t> index;
        if (auto game = gameInPrefix(prefix, source)) index = add(std::move(*game));
        prefixes_.emplace_back(real, index);
        return index;
    }

  private:
    GameDiscovery& out_;
    std::vector<std::pair<std::string, std::optional<size_t>>> prefixes_;
};

}  // namespace

std::string FoundGame::sourceList() const {
    std::string out;
    for (GameSource source : sources)
        out += (out.empty() ? "" : ", ") + std::string(sourceName(source));
    return out;
}

size_t GameDiscovery::usableCount() const {
    return size_t(
        std::count_if(games.begin(), games.end(), [](const FoundGame& g) { return !g.stale(); }));
}

std::string whyNoGameFolder(const std::string& folder) {
    if (!isDirectory(folder)) return "the folder " + folder + " does not exist";
    if (auto entries = listDirectory(folder))
        for (const DirectoryEntry& entry : *entries)
            if (entry.isFolder && equalsIgnoringCase(entry.name, "GameData")) return {};
    return "the folder " + folder + " holds no GameData folder";
}

GameLocation locationOf(const FoundGame& game, const HomeFolders& home) {
    return GameLocation{game.folder, game.windowsPath,
                        game.prefix.empty() ? home.defaultWinePrefix() : game.prefix};
}

std::string noGameHint() {
    return "The Pemms was not found in any Wine prefix (~/.wine, winetricks, Lutris, Bottles, "
           "Steam, Heroic, PlayOnLinux, CrossOver); give its folder with --game-dir DIR";
}

GameDiscovery discoverGames(const HomeFolders& home, const std::optional<std::string>& givenFolder,
                            Search search) {
    GameDiscovery out;
    GameList list(out);
    auto useExplicit = [&](size_t index) {
        if (out.used || out.games[index].stale()) return;
        out.used = index;
        out.explicitChoice = true;
    };

    if (givenFolder) {
        // As the player named it: the commands check it exists, the wizard finds out later.
        out.games.push_back(FoundGame{absolutePath(*givenFolder), {}, {}, {GameSource::Given}, {}});
        out.used = 0;
        out.explicitChoice = true;
        return out;
    }
    if (home.winePrefix) {
        if (auto index = list.addPrefix(*home.winePrefix, GameSource::Wine)) useExplicit(*index);
        if (out.used && search == Search::UntilChosen) return out;
    }
    RememberedRead remembered = readRememberedGame(home);
    if (!remembered.note.empty()) out.notes.push_back(remembered.note);
    if (remembered.game) {
        FoundGame game{realPathOf(remembered.game->folder),
                       remembered.game->windowsPath,
                       remembered.game->prefix,
                       {GameSource::Remembered},
                       {}};
        game.staleReason = whyNoGameFolder(game.folder);
        useExplicit(list.add(std::move(game)));
        if (out.used && search == Search::UntilChosen) return out;
    }

    for (const LauncherPrefixes& launcher : findLauncherPrefixes(home)) {
        for (const std::string& note : launcher.notes)
            out.notes.push_back(note);
        for (const std::string& prefix : launcher.prefixes)
            (void)list.addPrefix(prefix, launcher.source);
    }
    if (!out.used && out.usableCount() == 1)
        for (size_t i = 0; i < out.games.size(); ++i)
            if (!out.games[i].stale()) out.used = i;
    return out;
}

}  // namespace marquill::platform
