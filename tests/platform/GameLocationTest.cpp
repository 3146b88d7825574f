#include "platform/GameLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ToolFolders.h"
#include "resfile/TempDir.h"

namespace marquill::platform {
namespace {

namespace fs = std::filesystem;
using resfile::testing::TempDir;

TEST(GameLocation, NamesFilesAsTheGameDoes) {
    const GameLocation wine{"/home/p/.wine/drive_c/Games/The Pemms", "C:\\Games\\The Pemms\\",
                            "/home/p/.wine"};
    EXPECT_EQ(wine.gamePath("/home/p/.wine/drive_c/Games/The Pemms/GameData/Skins/b001.cmx"),
              "C:\\Games\\The Pemms\\GameData\\Skins\\b001.cmx");
    EXPECT_EQ(wine.gamePath("/home/p/.wine/drive_c/Games/The Pemms2/x.bmp"),
              "/home/p/.wine/drive_c/Games/The Pemms2/x.bmp")
        << "a file outside the folder keeps its own path";

    const GameLocation given{"/srv/pemms", "", ""};
    EXPECT_EQ(given.gamePath("/srv/pemms/GameData/Skins/b001.cmx"),
              "/srv/pemms/GameData/Skins/b001.cmx");
    const std::string here = currentFolder();
    EXPECT_EQ(given.gamePath("game/./GameData/../GameData/Skins/x.bmp"),
              here + "/game/GameData/Skins/x.bmp")
        << "a relative path is written absolute";
}

TEST(GameLocation, GivenFolderOrTheOneRecordedInTheWinePrefix) {
    TempDir dir;
    const std::string prefix = dir.File("prefix");
    fs::create_directories(prefix + "/drive_c/Games");
    fs::create_directories(prefix + "/dosdevices");
    fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
    GameLocationError error = GameLocationError::None;

    EXPECT_FALSE(locateGame(std::nullopt, prefix, FolderRule::MustExist, &error));
    EXPECT_EQ(error, GameLocationError::NotRecorded);
    EXPECT_FALSE(locateGame(std::nullopt, prefix, FolderRule::AsRecorded, &error));
    EXPECT_EQ(error, GameLocationError::NotRecorded);

    std::ofstream(prefix + "/system.reg")
        << "[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\"C:\\\\Games\\\\The Pemms\"\n";
    EXPECT_FALSE(locateGame(std::nullopt, prefix, FolderRule::MustExist, &error))
        << "recorded, but not there";
    auto recorded = locateGame(std::nullopt, prefix, FolderRule::AsRecorded, &error);
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->windowsFolder, "C:\\Games\\The Pemms");

    fs::create_directories(prefix + "/drive_c/Games/The Pemms");
    auto found = locateGame(std::nullopt, prefix, FolderRule::MustExist, &error);
    ASSERT_TRUE(found);
    EXPECT_EQ(error, GameLocationError::None);
    EXPECT_TRUE(fs::equivalent(found->folder, prefix + "/drive_c/Games/The Pemms"));
    EXPECT_EQ(found->windowsFolder, "C:\\Games\\The Pemms");
    EXPECT_EQ(found->winePrefix, prefix);
    EXPECT_EQ(found->gamePath(found->folder + "/TemplateCelebrity/star.srf"),
              "C:\\Games\\The Pemms\\TemplateCelebrity\\star.srf");

    auto given = locateGame(dir.File("prefix/drive_c/Games/The Pemms/"), prefix,
                            FolderRule::MustExist, &error);
    ASSERT_TRUE(given);
    EXPECT_EQ(given->folder, dir.File("prefix/drive_c/Games/The Pemms"));
    EXPECT_EQ(given->windowsFolder, "") << "a given folder is not the installer's";
    EXPECT_FALSE(locateGame(dir.File("nowhere"), prefix, FolderRule::MustExist, &error));
    EXPECT_EQ(error, GameLocationError::NoSuchFolder);
}

}  // namespace
}  // namespace marquill::platform
