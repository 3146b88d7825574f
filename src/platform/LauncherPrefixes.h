#pragma once
// The Wine prefixes each launcher keeps, one finder per launcher. A finder only names prefixes
// (folders holding system.reg; a Proton prefix's "pfx" folder is taken for its parent) and the
// reasons it skipped a file of the launcher's; what a prefix holds is GameDiscovery's business.
#include <string>
#include <string_view>
#include <vector>

#include "platform/HomeFolders.h"

namespace marquill::platform {

enum class GameSource {
    Given,
    Remembered,
    Wine,
    Lutris,
    Bottles,
    Steam,
    Heroic,
    PlayOnLinux,
    CrossOver
};

// "given", "remembered", "wine", "lutris", ...: the words `marquill games` shows.
[[nodiscard]] std::string_view sourceName(GameSource source);

struct LauncherPrefixes {
    GameSource source = GameSource::Wine;
    std::vector<std::string> prefixes;  // in the launcher's order, each once
    std::vector<std::string> notes;     // "FILE: why it was skipped"
};

// Every launcher, in the order their games are listed.
[[nodiscard]] std::vector<LauncherPrefixes> findLauncherPrefixes(const HomeFolders& home);

[[nodiscard]] LauncherPrefixes findWinePrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findLutrisPrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findBottlesPrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findSteamPrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findHeroicPrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findPlayOnLinuxPrefixes(const HomeFolders& home);
[[nodiscard]] LauncherPrefixes findCrossOverPrefixes(const HomeFolders& home);

// The prefix `folder` is: itself when it holds system.reg, its "pfx" folder when that does (a
// Proton prefix); empty otherwise.
[[nodiscard]] std::string prefixAt(const std::string& folder);

}  // namespace marquill::platform
