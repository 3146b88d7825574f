#include "platform/GameRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace marquill::platform {
namespace {

namespace fs = std::filesystem;

constexpr char kSystemReg[] =
    "WINE REGISTRY Version 2\r\n"
    ";; All keys relative to \\\\Machine\r\n"
    "\r\n"
    "[Software\\\\Kavor\\\\The Pemms Deluxe] 1700000000\r\n"
    "\"PEMMS_DATA\"=\"C:\\\\Wrong\"\r\n"
    "\r\n"
    "[Software\\\\Wow6432Node\\\\kavor\\\\the pemms] 1700000001\r\n"
    "#time=1d9a\r\n"
    "\"Other\"=\"x\"\r\n"
    "\"pemms_data\"=str(2):\"C:\\\\Program Files\\\\Kavor\\\\The \\\"Pemms\\\"\"\r\n";

TEST(GameRegistry, FindsTheValueUnderEitherKeyIgnoringCaseAndUnescapes) {
    EXPECT_EQ(findGameFolderValue(kSystemReg), "C:\\Program Files\\Kavor\\The \"Pemms\"");
    EXPECT_FALSE(
        findGameFolderValue("[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=dword:1\n"));
    EXPECT_FALSE(
        findGameFolderValue("[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\"C:\\\\x"))
        << "an unclosed string is no value";
    EXPECT_FALSE(findGameFolderValue(""));
    // Sections are skipped unread up to the next line opening one: a '[' inside a value opens none.
    EXPECT_FALSE(
        findGameFolderValue("[Software\\\\Classes\\\\x] 1\n\"a\"=\"[Software\\\\Kavor\\\\The "
                            "Pemms] 1\"\n\"PEMMS_DATA\"=\"C:\\\\Fake\"\n"));
    EXPECT_EQ(findGameFolderValue(
                  "[Software\\\\Classes\\\\x] 1\r\n\"a\"=\"[b\"\r\n[Software\\\\Kavor\\\\The "
                  "Pemms] 1\r\n\"PEMMS_DATA\"=\"C:\\\\Main\"\r\n"),
              "C:\\Main");
}

TEST(GameRegistry, MapsTheDriveThroughDosdevicesAndFindsTheOnDiskSpelling) {
    const fs::path prefix = fs::temp_directory_path() / "marquill-wine-prefix";
    fs::remove_all(prefix);
    fs::create_directories(prefix / "drive_c" / "program files" / "Kavor" / "The Pemms");
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    std::ofstream(prefix / "system.reg")
        << "[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\"C:\\\\Program Files\\\\kavor\\\\"
           "THE PEMMS\\\\\"\n";

    auto folder = gameFolderFromWine(prefix.string());
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(
        fs::equivalent(*folder, prefix / "drive_c" / "program files" / "Kavor" / "The Pemms"));
    EXPECT_FALSE(mapWindowsPath(prefix.string(), "D:\\Games").has_value()) << "drive not mapped";
    EXPECT_FALSE(mapWindowsPath(prefix.string(), "\\\\server\\share").has_value());
    fs::remove_all(prefix);
}

}  // namespace
}  // namespace marquill::platform
