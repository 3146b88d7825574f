// The game discovery over fake home folders built in the test: every launcher's records, links,
// stale records, malformed files and the explicit choices that come first.
#include "platform/GameDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fileindex/TempTree.h"
#include "platform/Files.h"
#include "platform/GameRegistry.h"
#include "platform/RememberedGame.h"
#include "platform/SteamLibraryFolders.h"

namespace marquill::platform {
namespace {

namespace fs = std::filesystem;
using marquill::testing::TempTree;

constexpr char kWindowsPath[] = "C:\\Program Files\\Kavor\\The Pemms";

// A home folder and the launchers' files in it.
class FakeHome {
  public:
    FakeHome() : home(HomeFolders::under(tree.root() + "/home")) { tree.folder("home"); }

    // A prefix at `relative` (below the home) whose registry records `windowsPath` on drive C;
    // with `Game::Installed` the folder is there and holds GameData. Returns the game folder.
    enum class Game { Installed, Missing, NoGameData };
    std::string prefix(const std::string& relative, Game game = Game::Installed,
                       const std::string& windowsPath = kWindowsPath) {
        const std::string p = home.home + "/" + relative;
        fs::create_directories(p + "/dosdevices");
        fs::create_directories(p + "/drive_c");
        fs::create_directory_symlink("../drive_c", p + "/dosdevices/c:");
        std::string escaped;
        for (char c : windowsPath)
            escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        write(p + "/system.reg",
              "WINE REGISTRY Version 2\n\n[Software\\\\Kavor\\\\The Pemms] 1\n"
              "\"PEMMS_DATA\"=\"" +
                  escaped + "\"\n");
        std::string folder = p + "/drive_c/" + windowsPath.substr(3);
        for (char& c : folder)
            if (c == '\\') c = '/';
        if (game != Game::Missing) fs::create_directories(folder);
        if (game == Game::Installed) fs::create_directories(folder + "/gamedata");
        return game == Game::Missing ? folder : fs::canonical(folder).string();
    }
    // An empty prefix, as launchers keep for every other game.
    void otherPrefix(const std::string& relative) {
        write(home.home + "/" + relative + "/system.reg", "WINE REGISTRY Version 2\n");
    }
    void file(const std::string& relative, const std::string& text) {
        write(home.home + "/" + relative, text);
    }
    static void write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    [[nodiscard]] GameDiscovery discover(Search search = Search::UntilChosen) const {
        return discoverGames(home, std::nullopt, search);
    }

    TempTree tree;
    HomeFolders home;
};

std::vector<std::string> sourcesOf(const FoundGame& game) {
    std::vector<std::string> out;
    for (GameSource s : game.sources)
        out.emplace_back(sourceName(s));
    return out;
}

bool notesMention(const GameDiscovery& d, const std::string& text) {
    for (const std::string& note : d.notes)
        if (note.find(text) != std::string::npos) return true;
    return false;
}

TEST(GameDiscovery, EveryLauncherIsSearchedAndItsGamesListedInOrder) {
    FakeHome h;
    const std::string wine = h.prefix(".wine");
    h.otherPrefix(".local/share/wineprefixes/office");
    const std::string lutris = h.prefix("Games/pemms-lutris");
    h.file(".config/lutris/games/the-pemms-1.yml",
           "game:\n  exe: Pemms.exe\n  prefix: ~/Games/pemms-lutris\nrunner: wine\n");
    const std::string bottle = h.prefix(".local/share/bottles/bottles/Pemms");
    const std::string custom =
        h.prefix("bottles-elsewhere/Pemms2", FakeHome::Game::Installed, "C:\\Games\\Pemms");
    h.file(".local/share/bottles/data.yml", "custom_bottles_path: $HOME/bottles-elsewhere\n");
    // A second library in the current form; its Proton prefix is the game's compatdata/N/pfx.
    h.file(".local/share/Steam/steamapps/libraryfolders.vdf",
           "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + h.home.home +
               "/.local/share/Steam\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n"
               "\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
               h.home.home + "/SteamLibrary\"\n\t}\n}\n");
    h.otherPrefix(".local/share/Steam/steamapps/compatdata/228980/pfx");
    const std::string steam = h.prefix("SteamLibrary/steamapps/compatdata/3001/pfx");
    h.file(".config/heroic/GamesConfig/Pemms.json",
           "{\"Pemms\": {\"winePrefix\": \"" + h.home.home +
               "/Games/Heroic/Prefixes/default/Pemms\", \"language\": \"en\"}}");
    const std::string heroic = h.prefix("Games/Heroic/Prefixes/default/Pemms",
                                        FakeHome::Game::Installed, "C:\\Pemms Heroic");
    const std::string pol =
        h.prefix(".PlayOnLinux/wineprefix/Pemms", FakeHome::Game::Installed, "C:\\Pemms POL");
    const std::string cx = h.prefix(".cxoffice/Pemms", FakeHome::Game::Installed, "C:\\Pemms CX");

    const GameDiscovery d = h.discover();
    ASSERT_EQ(d.games.size(), 8u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {wine, "wine"},   {lutris, "lutris"}, {bottle, "bottles"},  {custom, "bottles"},
        {steam, "steam"}, {heroic, "heroic"}, {pol, "playonlinux"}, {cx, "crossover"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(d.games[i].folder, expected[i].first) << i;
        EXPECT_EQ(sourcesOf(d.games[i]), std::vector<std::string>{expected[i].second}) << i;
        EXPECT_FALSE(d.games[i].stale()) << d.games[i].staleReason;
    }
    EXPECT_EQ(d.games[4].prefix, h.home.home + "/SteamLibrary/steamapps/compatdata/3001/pfx");
    EXPECT_EQ(d.games[3].windowsPath, "C:\\Games\\Pemms");
    EXPECT_TRUE(d.needsChoice()) << "several games and none chosen";
    EXPECT_FALSE(d.used);
    EXPECT_TRUE(d.notes.empty());
}

TEST(GameDiscovery, OneFolderReachedTwiceIsOneGameListingEverySource) {
    FakeHome h;
    const std::string game = h.prefix(".wine");
    // Lutris names ~/.wine by leaving the prefix out; Debian's Steam root is a link to the
    // other; a bottle is a link to the same prefix.
    h.file(".config/lutris/games/pemms.yml", "game:\n  exe: Pemms.exe\n");
    const std::string proton = h.prefix(".local/share/Steam/steamapps/compatdata/7/pfx",
                                        FakeHome::Game::Installed, "C:\\Pemms");
    fs::create_directories(h.home.home + "/.steam");
    fs::create_directory_symlink(h.home.home + "/.local/share/Steam",
                                 h.home.home + "/.steam/steam");
    fs::create_directories(h.home.dataHome + "/bottles/bottles");
    fs::create_directory_symlink(h.home.home + "/.wine",
                                 h.home.dataHome + "/bottles/bottles/linked");

    const GameDiscovery d = h.discover();
    ASSERT_EQ(d.games.size(), 2u);
    EXPECT_EQ(d.games[0].folder, game);
    EXPECT_EQ(sourcesOf(d.games[0]), (std::vector<std::string>{"wine", "lutris", "bottles"}));
    EXPECT_EQ(d.games[0].prefix, h.home.home + "/.wine") << "the first find gives the prefix";
    EXPECT_EQ(d.games[1].folder, proton);
    EXPECT_EQ(sourcesOf(d.games[1]), std::vector<std::string>{"steam"});
}

TEST(GameDiscovery, StaleRecordsAreListedWithTheirReasonAndNeverUsed) {
    FakeHome h;
    h.prefix(".wine", FakeHome::Game::Missing);
    h.prefix(".local/share/wineprefixes/copy", FakeHome::Game::NoGameData);
    h.prefix(".local/share/wineprefixes/d-drive", FakeHome::Game::Installed, "D:\\Pemms");
    const std::string real = h.prefix(".cxoffice/Pemms");

    const GameDiscovery d = h.discover();
    ASSERT_EQ(d.games.size(), 4u);
    EXPECT_NE(d.games[0].staleReason.find("does not exist"), std::string::npos);
    EXPECT_NE(d.games[1].staleReason.find("holds no GameData folder"), std::string::npos);
    EXPECT_NE(d.games[2].staleReason.find("not mapped"), std::string::npos);
    ASSERT_TRUE(d.used) << "the one usable game is used at once";
    EXPECT_EQ(d.usedGame()->folder, real);
    EXPECT_FALSE(d.needsChoice());
}

TEST(GameDiscovery, MalformedFilesOfEveryLauncherAreSkippedWithTheirReason) {
    FakeHome h;
    const std::string game = h.prefix(".wine");
    h.file(".config/lutris/games/broken.yml", "game: [unclosed\n  prefix: x\n");
    h.file(".config/lutris/games/list.yml", "- just\n- a list\n");
    h.file(".config/lutris/games/nowhere.yml", "game:\n  prefix: /no/such/prefix\n");
    h.file(".local/share/bottles/data.yml", "custom_bottles_path: {\n");
    h.file(".local/share/Steam/steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\"0\"\n{\n");
    h.file(".config/heroic/GamesConfig/Pemms.json", "{\"Pemms\": {\"winePrefix\": ");
    h.file(".config/heroic/GamesConfig/Other.json", "[1, 2]");

    const GameDiscovery d = h.discover();
    ASSERT_EQ(d.games.size(), 1u);
    EXPECT_EQ(d.games[0].folder, game);
    EXPECT_TRUE(notesMention(d, "broken.yml: ")) << "yaml-cpp's error becomes the reason";
    EXPECT_TRUE(notesMention(d, "nowhere.yml: names the prefix /no/such/prefix"));
    EXPECT_TRUE(notesMention(d, "bottles/data.yml: "));
    EXPECT_TRUE(notesMention(d, "libraryfolders.vdf: the object is not closed"));
    EXPECT_TRUE(notesMention(d, "Pemms.json: is not JSON"));
    EXPECT_TRUE(notesMention(d, "list.yml: holds no game configuration"));
    EXPECT_EQ(d.notes.size(), 6u) << "a JSON array is another launcher's file, not an error";
}

TEST(GameDiscovery, ExplicitChoicesComeFirstAndStopTheSearch) {
    FakeHome h;
    const std::string wine = h.prefix(".wine");
    const std::string other = h.prefix(".cxoffice/Pemms", FakeHome::Game::Installed, "C:\\Other");
    const std::string explicitPrefix = h.tree.root() + "/shell-prefix";
    {
        auto given = discoverGames(h.home, h.tree.root() + "/mine/", Search::UntilChosen);
        ASSERT_EQ(given.games.size(), 1u);
        EXPECT_EQ(given.usedGame()->folder, h.tree.root() + "/mine");
        EXPECT_EQ(sourcesOf(given.games[0]), std::vector<std::string>{"given"});
    }
    EXPECT_TRUE(h.discover().needsChoice());

    ASSERT_TRUE(rememberGame(h.home, {other, h.home.home + "/.cxoffice/Pemms", "C:\\Other"}));
    auto remembered = h.discover();
    ASSERT_EQ(remembered.games.size(), 1u) << "the remembered game is used without a search";
    EXPECT_EQ(remembered.usedGame()->folder, other);
    EXPECT_EQ(remembered.usedGame()->windowsPath, "C:\\Other");
    auto everything = h.discover(Search::Everything);
    ASSERT_EQ(everything.games.size(), 2u);
    EXPECT_EQ(everything.used, 0u);
    EXPECT_EQ(sourcesOf(everything.games[0]),
              (std::vector<std::string>{"remembered", "crossover"}));

    // $WINEPREFIX comes before the remembered choice, but only when it gives a game.
    HomeFolders shell = h.home;
    shell.winePrefix = h.home.home + "/.wine";
    EXPECT_EQ(discoverGames(shell, std::nullopt, Search::UntilChosen).usedGame()->folder, wine);
    shell.winePrefix = explicitPrefix;
    EXPECT_EQ(discoverGames(shell, std::nullopt, Search::UntilChosen).usedGame()->folder, other);

    // A remembered folder that has gone is listed as stale and the search goes on.
    fs::remove_all(other);
    auto gone = h.discover();
    EXPECT_TRUE(gone.games[0].stale());
    EXPECT_EQ(sourcesOf(gone.games[0]), (std::vector<std::string>{"remembered", "crossover"}));
    EXPECT_EQ(gone.usedGame()->folder, wine);
}

TEST(RememberedGame, AForeignOrUnreadableFileIsIgnoredWithANote) {
    FakeHome h;
    const std::string conf = rememberedGameFile(h.home);
    EXPECT_FALSE(readRememberedGame(h.home).game);
    EXPECT_TRUE(readRememberedGame(h.home).note.empty()) << "nothing remembered is no fault";
    FakeHome::write(conf,
                    "\x7f"
                    "ELF binary junk\n");
    EXPECT_FALSE(readRememberedGame(h.home).game);
    EXPECT_NE(readRememberedGame(h.home).note.find("ignored"), std::string::npos);
    FakeHome::write(conf, "[Other]\ngame=/x\n# the player's own line\n");
    EXPECT_FALSE(readRememberedGame(h.home).game);

    ASSERT_TRUE(rememberGame(h.home, {"/games/pemms", "", ""}));
    auto read = readRememberedGame(h.home);
    ASSERT_TRUE(read.game);
    EXPECT_EQ(read.game->folder, "/games/pemms");
    auto text = readWholeFile(conf);
    ASSERT_TRUE(text);
    EXPECT_NE(std::string(text->begin(), text->end()).find("[Other]"), std::string::npos)
        << "what else the file holds is kept";
    for (const auto& entry : fs::directory_iterator(parentFolder(conf)))
        EXPECT_EQ(entry.path().filename(), "marquill.conf") << "no scratch file is left";
}

SteamLibraryList libraries(const std::string& text) {
    return readSteamLibraryFolders(
        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(SteamLibraryFolders, ReadsTheOldAndTheCurrentFormWithEscapesAndComments) {
    auto old = libraries(
        "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1690000000\"\n"
        "\t\"ContentStatsID\"\t\"-123\"\n\t\"1\"\t\"/mnt/games/Steam\"\n"
        "\t\"2\"\t\"/mnt/with \\\"quotes\\\\\"\n}\n");
    EXPECT_TRUE(old.error.empty()) << old.error;
    EXPECT_EQ(old.paths, (std::vector<std::string>{"/mnt/games/Steam", "/mnt/with \"quotes\\"}));
    auto current = libraries(
        "// written by the client\n\"libraryfolders\" {\n \"0\" { \"path\" \"/a\" \"apps\" { "
        "\"10\" \"2\" \"path\" \"/not-this\" } }\n \"contentstatsid\" \"5\"\n"
        " \"1\" { \"label\" \"x\" \"path\" \"/b\" }\n}");
    EXPECT_TRUE(current.error.empty()) << current.error;
    EXPECT_EQ(current.paths, (std::vector<std::string>{"/a", "/b"}));
}

TEST(SteamLibraryFolders, MalformedTextGivesAReasonAndNoCrash) {
    for (const char* text :
         {"", "\"libraryfolders\"", "\"other\" { }", "\"libraryfolders\" { \"0\"",
          "\"libraryfolders\" { \"0\" { \"path\" } }", "\"libraryfolders\" { \"0\" \"/unclosed",
          "{ }", "\"libraryfolders\" { { } }"}) {
        auto list = libraries(text);
        EXPECT_FALSE(list.error.empty()) << text;
        EXPECT_TRUE(list.paths.empty()) << text;
    }
}

TEST(GameRegistry, AMegabyteRegistryIsReadInOnePassWithTheFirstKeyWinning) {
    std::string reg = "WINE REGISTRY Version 2\n";
    reg += "[Software\\\\Wow6432Node\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\"C:\\\\Wow\"\n";
    for (int i = 0; i < 20000; ++i)
        reg += "[Software\\\\Classes\\\\x" + std::to_string(i) + "] 1\n\"a\"=\"b\"\n";
    EXPECT_EQ(findGameFolderValue(reg), "C:\\Wow") << "the other key when the first is missing";
    reg += "[Software\\\\Kavor\\\\The Pemms] 2\n\"PEMMS_DATA\"=\"C:\\\\Main\"\n";
    EXPECT_EQ(findGameFolderValue(reg), "C:\\Main") << "the first key, wherever it lies";
}

}  // namespace
}  // namespace marquill::platform
