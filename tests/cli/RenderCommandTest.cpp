#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/Command.h"
#include "content/DemoInstallation.h"
#include "fileindex/TempTree.h"
#include "image/PngFile.h"

namespace marquill::cli {
namespace {

struct Output {
    int code = -1;
    std::string out, err;
};

Output run(int (*command)(const Words&), const std::string& game, Words words) {
    words.insert(words.begin(), {"--game-dir", game});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Output o;
    o.code = command(words);
    o.out = ::testing::internal::GetCapturedStdout();
    o.err = ::testing::internal::GetCapturedStderr();
    return o;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class RenderCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo_ = new testing::TempTree;
        std::string error;
        ASSERT_TRUE(content::writeDemoInstallation(demo_->root(), {}, &error)) << error;
    }
    static void TearDownTestSuite() { delete demo_; }
    static Output render(Words words) { return run(runRender, demo_->root(), std::move(words)); }
    std::string out(const std::string& name) const { return scratch_.root() + "/" + name; }

    static testing::TempTree* demo_;
    testing::TempTree scratch_;
};
testing::TempTree* RenderCommand::demo_ = nullptr;

TEST_F(RenderCommand, DrawsTheSameFrameForTheSameWordsAndAnotherForAnotherFacing) {
    const Words words = {"--time", "300", "--seed", "5", "--gender", "female"};
    Words first = words, second = words, turned = words;
    first.insert(first.end(), {"--out", out("a.png")});
    second.insert(second.end(), {"--out", out("b.png")});
    turned.insert(turned.end(), {"--out", out("c.png"), "--facing", "north west"});
    for (const Words& w : {first, second, turned}) {
        Output o = render(w);
        ASSERT_EQ(o.code, kExitDone) << o.err;
    }
    auto a = image::readPng(out("a.png")), b = image::readPng(out("b.png")),
         c = image::readPng(out("c.png"));
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->width, 368);
    EXPECT_EQ(a->height, 508);
    EXPECT_EQ(a->pixels, b->pixels);
    EXPECT_NE(a->pixels, c->pixels);

    // A facing given as quarter turns is the same as its name.
    Output o = render({"--time", "300", "--seed", "5", "--gender", "female", "--facing", "2",
                       "--out", out("d.png")});
    ASSERT_EQ(o.code, kExitDone) << o.err;
    EXPECT_EQ(image::readPng(out("d.png"))->pixels, c->pixels);
}

TEST_F(RenderCommand, WritesJpegThroughTheImageModule) {
    Output o = render({"--out", out("a.jpg"), "--zoom", "2"});
    ASSERT_EQ(o.code, kExitDone) << o.err;
    std::ifstream in(out("a.jpg"), std::ios::binary);
    unsigned char start[2] = {};
    in.read(reinterpret_cast<char*>(start), 2);
    EXPECT_EQ(start[0], 0xFF);
    EXPECT_EQ(start[1], 0xD8);
}

TEST_F(RenderCommand, RefusesWhatItCannotDraw) {
    Output o = render({"--out", out("a.png"), "--head", "c999ma_none"});
    EXPECT_EQ(o.code, kExitUsage);
    EXPECT_TRUE(has(o.err, "it offers c003ma_casual")) << o.err;
    EXPECT_EQ(render({"--out", out("a.gif")}).code, kExitUsage);
    EXPECT_EQ(render({"--out", out("a.png"), "--zoom", "5"}).code, kExitUsage);
    EXPECT_EQ(render({"--out", out("a.png"), "--facing", "up"}).code, kExitUsage);
    EXPECT_EQ(render({"--out", out("a.png"), "--time", "-1"}).code, kExitUsage);
    EXPECT_EQ(render({"--out", out("a.png"), "--name", "X"}).code, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(out("a.png")));

    testing::TempTree empty;
    o = run(runRender, empty.root(), {"--out", out("a.png")});
    EXPECT_EQ(o.code, kExitRefused);
    EXPECT_TRUE(has(o.err, "The Pemms was not detected on this computer.")) << o.err;
}

TEST_F(RenderCommand, CreateWritesTheHeadAndBodySnapshots) {
    Output o = run(runCreate, demo_->root(),
                   {"--out", out("Star.srf"), "--name", "Star", "--description", "Shines",
                    "--traits", "5,5,5,5,5", "--top", "Money,Politics,Sports,Style,Food", "--low",
                    "Weather,Music,Travel,Romance,Parties"});
    ASSERT_EQ(o.code, kExitDone) << o.err;
    EXPECT_TRUE(std::filesystem::exists(out("Star.srf")));
    EXPECT_GT(std::filesystem::file_size(out("Starhead.jpg")), 0u);
    EXPECT_GT(std::filesystem::file_size(out("Starbody.jpg")), 0u);
    EXPECT_FALSE(has(o.err, "snapshots")) << o.err;
}

}  // namespace
}  // namespace marquill::cli
