#include "platform/ProfileStrings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Files.h"

namespace marquill::platform {
namespace {

std::string fileText(const std::string& path) {
    auto bytes = readWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

TEST(ProfileStrings, FirstWriteCreatesSectionAndKeysKeepFirstWriteOrder) {
    ProfileDocument doc;
    doc.set("Marquill", "FameLevel", "3");
    doc.set("Marquill", "Name", "Ada = Star");
    doc.set("marquill", "famelevel", "4");  // rewritten in place, original spelling kept
    EXPECT_EQ(doc.text(), "[Marquill]\r\nFameLevel=4\r\nName=Ada = Star\r\n");
}

TEST(ProfileStrings, ExistingTextKeepsOtherLinesAndSections) {
    auto doc = ProfileDocument::parse("; note\n[A]\nx=1\n\n[B]\ny=2\r\n");
    doc.set("A", "z", "3");
    doc.set("B", "y", "5");
    doc.set("C", "k", "v");
    EXPECT_EQ(doc.text(), "; note\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=5\r\n[C]\r\nk=v\r\n");
    ASSERT_NE(doc.get("a", "X"), nullptr);
    EXPECT_EQ(*doc.get("a", "X"), "1");
    EXPECT_EQ(doc.get("A", "missing"), nullptr);
}

TEST(ProfileStrings, WriteProfileStringCreatesThenRewritesTheFile) {
    std::string dir = testing::TempDir() + "/profile" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    std::string path = dir + "/star.srf";
    ASSERT_TRUE(writeProfileString(path, "Marquill", "A", "1"));
    ASSERT_TRUE(writeProfileString(path, "Marquill", "B", "2"));
    ASSERT_TRUE(writeProfileString(path, "Marquill", "A", "10"));
    EXPECT_EQ(fileText(path), "[Marquill]\r\nA=10\r\nB=2\r\n");
    EXPECT_FALSE(writeProfileString(dir + "/no/such/folder/x.srf", "Marquill", "A", "1"));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace marquill::platform
