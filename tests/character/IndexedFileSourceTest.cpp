#include "character/IndexedFileSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"

namespace marquill::character {
namespace {

namespace fs = std::filesystem;

TEST(IndexedFileSource, FindsATextureByTypeOnTheSearchPathInAnyLetterCase) {
    const fs::path root = fs::temp_directory_path() / "marquill-indexed-source";
    fs::remove_all(root);
    fs::create_directories(root / "gamedata" / "skins");
    std::ofstream(root / "gamedata" / "skins" / "b003mafitmed_bmoc.bmp") << "BMbytes";
    std::ofstream(root / "gamedata" / "skins" / "other.txt") << "x";

    fileindex::FolderIndex index;
    index.setRoot(root.string());
    ASSERT_TRUE(
        index.addFolder("GameData\\Skins", fileindex::Recurse::No, fileindex::ReadArchives::No));
    fileindex::FileTypeRegistry types(index);
    IndexedFileSource source(types);
    source.registerFileType("IMAG", "BMP");

    render::FoundFile found =
        source.find("B003MAFitmed_bmoc", "GameData\\Textures;GameData\\Skins", "IMAG");
    ASSERT_EQ(found.status, render::FoundFile::Status::Found);
    EXPECT_EQ(std::string(found.bytes.begin(), found.bytes.end()), "BMbytes");

    EXPECT_EQ(source.find("other", "GameData\\Skins", "IMAG").status,
              render::FoundFile::Status::NotFound)
        << "a file of another extension is not an image";
    EXPECT_EQ(source.find("missing", "GameData\\Skins", "IMAG").status,
              render::FoundFile::Status::NotFound);
    fs::remove_all(root);
}

}  // namespace
}  // namespace marquill::character
