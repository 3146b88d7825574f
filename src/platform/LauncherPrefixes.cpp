#include "platform/LauncherPrefixes.h"

#include <limits.h>
#include <stdlib.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/SteamLibraryFolders.h"

namespace marquill::platform {
namespace {

// Flatpak launchers keep their files under ~/.var/app/ID/.
std::string flatpak(const HomeFolders& home, std::string_view id, std::string_view rest) {
    return home.home + "/.var/app/" + std::string(id) + "/" + std::string(rest);
}

std::string realPathOf(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

// Collects prefixes once each, however many links lead to them.
class PrefixList {
  public:
    explicit PrefixList(GameSource source) { result_.source = source; }

    // `folder` when it is a prefix; silently nothing otherwise (most folders a launcher keeps
    // are not Wine prefixes).
    void add(const std::string& folder) {
        const std::string prefix = prefixAt(folder);
        if (prefix.empty() || !seen_.insert(realPathOf(prefix)).second) return;
        result_.prefixes.push_back(prefix);
    }
    // A launcher's record names `folder` as a game's prefix, so a missing one is worth a note.
    void addRecorded(const std::string& folder, const std::string& record) {
        if (prefixAt(folder).empty()) {
            note(record, "names the prefix " + folder + ", which holds no system.reg");
            return;
        }
        add(folder);
    }
    // Every prefix directly in `folder`.
    void addEachIn(const std::string& folder) {
        auto entries = listDirectory(folder);
        if (!entries) return;
        for (const DirectoryEntry& entry : *entries)
            if (entry.isFolder) add(folder + "/" + entry.name);
    }
    void note(const std::string& file, const std::string& why) {
        result_.notes.push_back(file + ": " + why);
    }
    [[nodiscard]] LauncherPrefixes take() { return std::move(result_); }

  private:
    LauncherPrefixes result_;
    std::set<std::string> seen_;
};

std::vector<std::string> filesEndingIn(const std::string& folder, std::string_view extension) {
    std::vector<std::string> out;
    auto entries = listDirectory(folder);
    if (!entries) return out;
    for (const DirectoryEntry& entry : *entries) {
        if (entry.isFolder || entry.name.size() <= extension.size()) continue;
        if (entry.name.compare(entry.name.size() - extension.size(), extension.size(), extension) ==
            0)
            out.push_back(folder + "/" + entry.name);
    }
    return out;
}

std::optional<std::string> textOf(const std::string& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

// The value of `key` in the YAML document's top-level map, or under its `section` map; none when
// the document has no such text value. Throws what yaml-cpp throws; the finder catches it.
std::optional<std::string> yamlText(const YAML::Node& root, const char* section, const char* key) {
    if (!root.IsMap()) return std::nullopt;
    YAML::Node map = section ? root[section] : root;
    if (!map || !map.IsMap()) return std::nullopt;
    YAML::Node value = map[key];
    if (!value || !value.IsScalar()) return std::nullopt;
    return value.as<std::string>();
}

enum class YamlRead { Read, Malformed };

YamlRead readYaml(const std::string& text, YAML::Node* root, std::string* error) {
    try {
        *root = YAML::Load(text);
        return YamlRead::Read;
    } catch (const YAML::Exception& e) {
        *error = e.what();
        return YamlRead::Malformed;
    }
}

}  // namespace

std::string_view sourceName(GameSource source) {
    switch (source) {
        case GameSource::Given:
            return "given";
        case GameSource::Remembered:
            return "remembered";
        case GameSource::Wine:
            return "wine";
        case GameSource::Lutris:
            return "lutris";
        case GameSource::Bottles:
            return "bottles";
        case GameSource::Steam:
            return "steam";
        case GameSource::Heroic:
            return "heroic";
        case GameSource::PlayOnLinux:
            return "playonlinux";
        case GameSource::CrossOver:
            return "crossover";
    }
    return "wine";
}

std::string prefixAt(const std::string& folder) {
    if (folder.empty()) return {};
    if (fileExists(folder + "/system.reg")) return folder;
    if (fileExists(folder + "/pfx/system.reg")) return folder + "/pfx";
    return {};
}

LauncherPrefixes findWinePrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::Wine);
    list.add(home.home + "/.wine");
    list.addEachIn(home.dataHome + "/wineprefixes");
    return list.take();
}

LauncherPrefixes findLutrisPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::Lutris);
    for (const std::string& folder :
         {home.configHome + "/lutris/games", home.dataHome + "/lutris/games",
          flatpak(home, "net.lutris.Lutris", "config/lutris/games"),
          flatpak(home, "net.lutris.Lutris", "data/lutris/games")}) {
        for (const std::string& file : filesEndingIn(folder, ".yml")) {
            auto text = textOf(file);
            if (!text) {
                list.note(file, "cannot be read");
                continue;
            }
            YAML::Node root;
            std::string error;
            if (readYaml(*text, &root, &error) == YamlRead::Malformed) {
                list.note(file, error);
                continue;
            }
            if (!root.IsMap()) {
                list.note(file, "holds no game configuration");
                continue;
            }
            std::optional<std::string> prefix;
            try {
                prefix = yamlText(root, "game", "prefix");
            } catch (const YAML::Exception& e) {
                list.note(file, e.what());
                continue;
            }
            list.addRecorded(home.expand(prefix.value_or("~/.wine")), file);
        }
    }
    list.addEachIn(home.home + "/Games");
    return list.take();
}

LauncherPrefixes findBottlesPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::Bottles);
    const std::string flatpakData = flatpak(home, "com.usebottles.bottles", "data/bottles");
    for (const std::string& data : {home.dataHome + "/bottles", flatpakData}) {
        list.addEachIn(data + "/bottles");
        const std::string config = data + "/data.yml";
        auto text = textOf(config);
        if (!text) continue;
        YAML::Node root;
        std::string error;
        std::optional<std::string> custom;
        if (readYaml(*text, &root, &error) == YamlRead::Malformed) {
            list.note(config, error);
            continue;
        }
        try {
            custom = yamlText(root, nullptr, "custom_bottles_path");
        } catch (const YAML::Exception& e) {
            list.note(config, e.what());
            continue;
        }
        if (custom && !custom->empty()) list.addEachIn(home.expand(*custom));
    }
    return list.take();
}

LauncherPrefixes findSteamPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::Steam);
    std::vector<std::string> libraries;
    std::set<std::string> seen;
    auto addLibrary = [&](const std::string& folder) {
        if (isDirectory(folder) && seen.insert(realPathOf(folder)).second)
            libraries.push_back(folder);
    };
    for (const std::string& root :
         {home.dataHome + "/Steam", home.home + "/.steam/steam",
          flatpak(home, "com.valvesoftware.Steam", ".local/share/Steam")}) {
        if (!isDirectory(root)) continue;
        addLibrary(root);
        const std::string vdf = root + "/steamapps/libraryfolders.vdf";
        auto file = MappedFile::open(vdf);
        if (!file) continue;
        SteamLibraryList listed = readSteamLibraryFolders(file->bytes());
        if (!listed.error.empty()) list.note(vdf, listed.error);
        for (const std::string& library : listed.paths)
            addLibrary(home.expand(library));
    }
    for (const std::string& library : libraries)
        list.addEachIn(library + "/steamapps/compatdata");
    return list.take();
}

LauncherPrefixes findHeroicPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::Heroic);
    for (const std::string& config :
         {home.configHome + "/heroic",
          flatpak(home, "com.heroicgameslauncher.hgl", "config/heroic")}) {
        for (const std::string& file : filesEndingIn(config + "/GamesConfig", ".json")) {
            auto text = textOf(file);
            if (!text) {
                list.note(file, "cannot be read");
                continue;
            }
            // The settings of game APP live in APP.json under the key APP.
            std::string app = fileNameOf(file);
            app.resize(app.size() - 5);
            nlohmann::json root = nlohmann::json::parse(*text, nullptr, false);
            if (root.is_discarded()) {
                list.note(file, "is not JSON");
                continue;
            }
            if (!root.is_object()) continue;
            auto game = root.find(app);
            if (game == root.end() || !game->is_object()) continue;
            auto prefix = game->find("winePrefix");
            if (prefix == game->end() || !prefix->is_string()) continue;
            const std::string path = prefix->get<std::string>();
            if (!path.empty()) list.addRecorded(home.expand(path), file);
        }
    }
    const std::string prefixes = home.home + "/Games/Heroic/Prefixes";
    list.addEachIn(prefixes);
    if (auto entries = listDirectory(prefixes))
        for (const DirectoryEntry& entry : *entries)
            if (entry.isFolder) list.addEachIn(prefixes + "/" + entry.name);
    return list.take();
}

LauncherPrefixes findPlayOnLinuxPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::PlayOnLinux);
    list.addEachIn(home.home + "/.PlayOnLinux/wineprefix");
    return list.take();
}

LauncherPrefixes findCrossOverPrefixes(const HomeFolders& home) {
    PrefixList list(GameSource::CrossOver);
    list.addEachIn(home.home + "/.cxoffice");
    return list.take();
}

std::vector<LauncherPrefixes> findLauncherPrefixes(const HomeFolders& home) {
    std::vector<LauncherPrefixes> all;
    all.push_back(findWinePrefixes(home));
    all.push_back(findLutrisPrefixes(home));
    all.push_back(findBottlesPrefixes(home));
    all.push_back(findSteamPrefixes(home));
    all.push_back(findHeroicPrefixes(home));
    all.push_back(findPlayOnLinuxPrefixes(home));
    all.push_back(findCrossOverPrefixes(home));
    return all;
}

}  // namespace marquill::platform
