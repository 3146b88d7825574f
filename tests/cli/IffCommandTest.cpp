#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/Command.h"
#include "cli/ResourceRef.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSetMulti.h"

namespace marquill::cli {
namespace {

class CommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::path(MARQUILL_BINARY_DIR) / "test-files" /
               (std::string("cli.") + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string File(const std::string& name) { return (dir_ / name).string(); }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Runs a command, keeping what it printed.
    int Run(int (*command)(const Words&), const Words& words) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = command(words);
        out = ::testing::internal::GetCapturedStdout();
        err = ::testing::internal::GetCapturedStderr();
        return status;
    }

    std::string out;
    std::string err;

  private:
    std::filesystem::path dir_;
};

TEST_F(CommandTest, IffCreatesPutsListsExtractsAndDeletes) {
    const auto iff = File("a.iff");
    const auto data = File("data.bin");
    Write(data, std::string("\x01\x02\x03", 3));
    ASSERT_EQ(Run(runIff, {"--create", iff}), kExitDone) << err;
    EXPECT_EQ(Run(runIff, {"--create", iff}), kExitFileError);
    EXPECT_NE(err.find("-43"), std::string::npos) << err;

    ASSERT_EQ(Run(runIff, {iff, "--put", "STR#:200:x", data}), kExitDone) << err;
    ASSERT_EQ(Run(runIff, {iff, "--put", "0x00435354:-5", data}), kExitDone) << err;
    ASSERT_EQ(Run(runIff, {iff, "--json"}), kExitDone) << err;
    EXPECT_NE(out.find(R"("version":"2.5")"), std::string::npos) << out;
    EXPECT_NE(out.find(R"({"type":"STR#","type_code":1398034979,"id":200,"name":"x","flags":16,)"
                       R"("attribute":0,"offset":64,"size":3})"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(R"("type":"0x00435354","type_code":4412244,"id":-5)"), std::string::npos)
        << out;
    EXPECT_EQ(out.find(R"("map_offset":0)"), std::string::npos) << "closed with a fresh map";

    Write(data, "longer data");
    ASSERT_EQ(Run(runIff, {iff, "--put", "STR#:200", data}), kExitDone) << err;
    ASSERT_EQ(Run(runIff, {iff, "--extract", "STR#:200", File("out.bin")}), kExitDone) << err;
    EXPECT_EQ(Read(File("out.bin")), "longer data");

    ASSERT_EQ(Run(runIff, {iff, "--delete", "STR#:200"}), kExitDone) << err;
    EXPECT_EQ(Run(runIff, {iff, "--delete", "STR#:200"}), kExitFileError);
    EXPECT_NE(err.find("-98"), std::string::npos) << err;
    ASSERT_EQ(Run(runIff, {iff}), kExitDone);
    EXPECT_NE(out.find("1 resources"), std::string::npos) << out;
}

TEST_F(CommandTest, IffReportsFormatErrorsWithTheirCodeAndMisuseAsUsage) {
    const auto bad = File("bad.iff");
    Write(bad, std::string(64, 'x'));
    EXPECT_EQ(Run(runIff, {bad}), kExitFileError);
    EXPECT_NE(err.find("-93"), std::string::npos) << err;
    EXPECT_EQ(Run(runIff, {File("missing.iff")}), kExitFileError);
    EXPECT_NE(err.find("-50"), std::string::npos) << err;
    EXPECT_EQ(Run(runIff, {}), kExitUsage);
    EXPECT_EQ(Run(runIff, {bad, "--extract", "STR#:99999", "out"}), kExitUsage);
    EXPECT_EQ(Run(runIff, {bad, "--delete", "STR#:1:name"}), kExitUsage);
    EXPECT_EQ(Run(runIff, {bad, "--frobnicate"}), kExitUsage);
}

TEST_F(CommandTest, IffEditsWorkOnAScratchCopyThatNeverStaysBehind) {
    const auto iff = File("a.iff");
    const auto data = File("data.bin");
    Write(data, "abc");
    ASSERT_EQ(Run(runIff, {"--create", iff}), kExitDone) << err;
    // Left by a run that was killed (no process has this number).
    const auto leftover = File(".a.iff.marquill-999999999.tmp");
    Write(leftover, "half a file");
    ASSERT_EQ(Run(runIff, {iff, "--put", "STR#:200", data}), kExitDone) << err;
    EXPECT_FALSE(std::filesystem::exists(leftover));

    const std::string before = Read(iff);
    EXPECT_EQ(Run(runIff, {iff, "--delete", "STR#:201"}), kExitFileError);
    const auto bad = File("bad.iff");
    Write(bad, std::string(64, 'x'));
    EXPECT_EQ(Run(runIff, {bad, "--put", "STR#:1", data}), kExitFileError);
    EXPECT_NE(err.find("-93"), std::string::npos) << err;
    EXPECT_EQ(Read(iff), before);
    EXPECT_EQ(Read(bad), std::string(64, 'x'));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(File("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.iff", "bad.iff", "data.bin"}));
}

TEST_F(CommandTest, StringsReadsOneLanguage) {
    const auto iff = File("s.iff");
    {
        resfile::IFFResFile2 file;
        ASSERT_EQ(file.Create(iff), resfile::kResOk);
        ASSERT_EQ(file.Open(iff, resfile::Access::ReadWrite), resfile::kResOk);
        resfile::StringSetMulti strings;
        strings.Select(file, 200, resfile::kTypeStrings, resfile::StringForm::Binary, 0);
        strings.Set(1, "first", 0);
        strings.Set(2, "sec\"ond", 0);
        ASSERT_EQ(strings.Save(), resfile::kResOk);
        strings.Select(file, 200, resfile::kTypeStrings, resfile::StringForm::Binary, 3);
        strings.Set(1, "drei", 3);
        ASSERT_EQ(strings.Save(), resfile::kResOk);
        ASSERT_EQ(file.Close(), resfile::kResOk);
    }
    ASSERT_EQ(Run(runStrings, {iff, "STR#:200", "--json"}), kExitDone) << err;
    EXPECT_NE(out.find(R"("strings":["first","sec\"ond"])"), std::string::npos) << out;
    ASSERT_EQ(Run(runStrings, {iff, "STR#:200", "--language", "3", "--json"}), kExitDone) << err;
    EXPECT_NE(out.find(R"("strings":["drei","sec\"ond"])"), std::string::npos) << out;
    // A language the set lacks reads as the game reads it: language 0's strings.
    ASSERT_EQ(Run(runStrings, {iff, "STR#:200", "--language", "7"}), kExitDone) << err;
    EXPECT_EQ(out, "1\tfirst\n2\tsec\"ond\n");
    EXPECT_NE(err.find("language 7 is not in the set"), std::string::npos) << err;
    ASSERT_EQ(Run(runStrings, {iff, "STR#:200", "--language", "3"}), kExitDone) << err;
    EXPECT_EQ(err, "") << "language 3 is stored";
    ASSERT_EQ(Run(runStrings, {iff, "STR#:200", "--language", "7", "--exact"}), kExitDone) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run(runStrings, {iff, "STR#:200", "--language", "20"}), kExitUsage);
    EXPECT_EQ(Run(runStrings, {iff, "STR#:201"}), kExitFileError);
    EXPECT_NE(err.find("-98"), std::string::npos) << err;
}

TEST(ResourceRef, ParsesTypesIdsAndNames) {
    auto ref = ParseResourceRef("a:bc:12:my:name", true);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->type, resfile::MakeResType("a:bc"));
    EXPECT_EQ(ref->id, 12);
    EXPECT_EQ(ref->name, "my:name");
    EXPECT_FALSE(ParseResourceRef("STR#:32768", false));
    EXPECT_FALSE(ParseResourceRef("STR#:", false));
    EXPECT_FALSE(ParseResourceRef("STR:1", false));
    EXPECT_FALSE(ParseResourceRef("0x1234567890:1", false));
    EXPECT_FALSE(ParseResourceRef("STR#:1:" + std::string(64, 'n'), true));
    EXPECT_EQ(ParseResourceRef("0xff:-32768", false)->id, -32768);
}

}  // namespace
}  // namespace marquill::cli
