// Reading a saved celebrity back (show) and saving it again (create --from), through the marquill
// command over a demo installation.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "celeb/LineBreaks.h"
#include "celeb/Vocabulary.h"
#include "cli/Json.h"
#include "cli/ShellRun.h"
#include "platform/Files.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"

namespace {

using marquill::cli::Json;
using marquill::test::shell;
using Ran = marquill::test::ShellRun;
namespace celeb = marquill::celeb;

const std::string kMarquill = std::string(MARQUILL_BINARY_DIR) + "/src/cli/marquill";

std::string sh(const std::string& word) {
    std::string out = "'";
    for (char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

Ran marquill(const std::string& arguments) {
    return shell(kMarquill + " " + arguments + " 2>/dev/null");
}
Ran marquillWithErrors(const std::string& arguments) {
    return shell(kMarquill + " " + arguments + " 2>&1");
}

void write(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

std::string bytes(const std::string& path) {
    auto b = marquill::platform::readWholeFile(path);
    return b ? std::string(b->begin(), b->end()) : std::string("<missing>");
}

// The text of "key":"value" in a one-line document of plain names.
std::string field(const std::string& json, const std::string& key) {
    const std::string start = "\"" + key + "\":\"";
    const size_t at = json.find(start);
    if (at == std::string::npos) return "<no " + key + ">";
    const size_t from = at + start.size();
    return json.substr(from, json.find('"', from) - from);
}

std::string names(const std::vector<int>& ids) {
    Json json;
    json.beginArray();
    for (int id : ids)
        json.value(celeb::kInterests[static_cast<size_t>(id)].name);
    return json.endArray().str();
}

std::string joinedNames(const std::vector<int>& ids) {
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : ",") +
                std::string(celeb::kInterests[static_cast<size_t>(id)].name);
    return text;
}

class SavedCelebrityCommands : public testing::Test {
  protected:
    void SetUp() override {
        root_ = testing::TempDir() + "/marquill-saved-" + std::to_string(::getpid());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        ::setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
        game_ = root_ + "/game";
        ASSERT_EQ(marquill("demo-game " + game_).status, 0);
        g_ = " --game-dir " + sh(game_);
        folder_ = game_ + "/TemplateCelebrity/";
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // A plain celebrity saved as NAME.srf, for the hostile cases to spoil.
    std::string saved(const std::string& name) {
        EXPECT_EQ(marquill("create" + g_ + " --out " + name +
                           ".srf --name Plain --description d --traits 5,5,5,5,5 --top "
                           "Weather,Money,Food,Style,Travel --low Sports,Music,Exercise,Parties,"
                           "Romance --fame 3")
                      .status,
                  0);
        return folder_ + name + ".iff";
    }

    std::string root_, game_, g_, folder_;
};

TEST_F(SavedCelebrityCommands, RandomCelebritiesComeBackAsSaved) {
    std::mt19937 random(19);
    const char* genders[] = {"male", "female"};
    const char* skins[] = {"light", "medium", "dark"};
    const char* bodyTypes[] = {"fit", "full", "thin"};
    const std::vector<std::string> namePool = {"Zoë Ångström", "Renée Dûval", "Max Power",
                                               "Ñoño Güell", "Æsa Øberg"};
    int round = 0;
    for (int gender = 0; gender < 2; ++gender)
        for (int skin = 0; skin < 3; ++skin) {
            const int bodyType = (gender * 3 + skin + round) % 3;
            std::string choices = std::string(" --gender ") + genders[gender] + " --skin " +
                                  skins[skin] + " --body-type " + bodyTypes[bodyType];
            // A head the page offers for these choices, taken at random.
            const std::string page = marquill("skins --json" + g_ + choices).out;
            std::vector<std::string> heads;
            {
                const std::string start = "\"heads\":{\"entries\":[";
                const size_t from = page.find(start) + start.size();
                const std::string list = page.substr(from, page.find(']', from) - from);
                for (size_t at = 0; (at = list.find('"', at)) != std::string::npos;) {
                    const size_t end = list.find('"', at + 1);
                    if (end == std::string::npos) break;
                    heads.push_back(list.substr(at + 1, end - at - 1));
                    at = end + 1;
                }
            }
            ASSERT_FALSE(heads.empty()) << page;
            choices += " --head " + heads[random() % heads.size()];

            std::array<int, 5> traits{};
            for (int point = static_cast<int>(random() % 26); point > 0; --point) {
                size_t k = random() % 5;
                while (traits[k] == 10)
                    k = (k + 1) % 5;
                ++traits[k];
            }
            std::vector<int> ids(15);
            for (int i = 0; i < 15; ++i)
                ids[static_cast<size_t>(i)] = i;
            std::shuffle(ids.begin(), ids.end(), random);
            std::vector<int> top(ids.begin(), ids.begin() + 5),
                low(ids.begin() + 5, ids.begin() + 10), middle(ids.begin() + 10, ids.end());
            const int fame = static_cast<int>(random() % 11);
            const std::string name = namePool[random() % namePool.size()];
            const std::string description =
                "Line one of " + name + "\nline two\n\nafter a blank line " + std::to_string(round);

            const std::string create =
                "create" + g_ + choices + " --out star" + std::to_string(round) + ".srf --name " +
                sh(name) + " --description " + sh(description) + " --traits " +
                std::to_string(traits[0]) + "," + std::to_string(traits[1]) + "," +
                std::to_string(traits[2]) + "," + std::to_string(traits[3]) + "," +
                std::to_string(traits[4]) + " --top " + sh(joinedNames(top)) + " --low " +
                sh(joinedNames(low)) + " --fame " + std::to_string(fame);
            const Ran created = marquillWithErrors(create);
            ASSERT_EQ(created.status, 0) << create << "\n" << created.out;
            const std::string file = folder_ + "star" + std::to_string(round) + ".srf";
            const Ran shown = marquill("show --json " + sh(file));
            ASSERT_EQ(shown.status, 0);
            const std::string& doc = shown.out;

            // The record, field by field; interests by group.
            std::sort(top.begin(), top.end());
            std::sort(middle.begin(), middle.end());
            std::sort(low.begin(), low.end());
            EXPECT_NE(doc.find(",\"name\":" + Json::quote(name) + ","), std::string::npos) << doc;
            EXPECT_NE(doc.find("\"description\":" +
                               Json::quote(celeb::withCrLfLineBreaks(description)) + ","),
                      std::string::npos)
                << doc;
            EXPECT_EQ(field(doc, "gender"), genders[gender]);
            EXPECT_EQ(field(doc, "skin"), skins[skin]);
            EXPECT_EQ(field(doc, "body_type"), bodyTypes[bodyType]);
            Json expectedTraits;
            expectedTraits.beginObject();
            for (int k = 0; k < 5; ++k)
                expectedTraits.field(celeb::kTraitNames[static_cast<size_t>(k)],
                                     traits[static_cast<size_t>(k)]);
            EXPECT_NE(doc.find("\"traits\":" + expectedTraits.endObject().str()), std::string::npos)
                << doc;
            const std::string groups = doc.substr(doc.find("\"interests\":"));
            auto sortedIn = [&](const std::string& group) {
                const size_t from = groups.find("\"" + group + "\":[") + group.size() + 3;
                std::string list = groups.substr(from, groups.find(']', from) - from + 1);
                return list;
            };
            EXPECT_EQ(sortedIn("top"), names(top));
            EXPECT_EQ(sortedIn("middle"), names(middle));
            // The low list sorts itself by name; compare it as a group.
            std::vector<int> lowByName = low;
            std::sort(lowByName.begin(), lowByName.end(), [](int a, int b) {
                return celeb::kInterests[static_cast<size_t>(a)].name <
                       celeb::kInterests[static_cast<size_t>(b)].name;
            });
            EXPECT_EQ(sortedIn("low"), names(lowByName));
            EXPECT_NE(doc.find("\"fame\":" + std::to_string(fame) + ","), std::string::npos);
            EXPECT_NE(doc.find("\"repairs\":[]"), std::string::npos) << doc;

            // The appearance: what the look pages selected for the same choices.
            const std::string normal = marquill("skins --json" + g_ + choices).out;
            EXPECT_EQ(field(doc, "head"), field(normal, "head_outfit"));
            EXPECT_EQ(field(doc, "head_texture"), field(normal, "head_texture"));
            EXPECT_EQ(field(doc, "body"), field(normal, "body_outfit"));
            EXPECT_EQ(field(doc, "body_texture"), field(normal, "body_texture"));
            const std::string fashion = marquill("skins --fashion --json" + g_ + choices).out;
            EXPECT_EQ(field(doc, "fashion_body"), field(fashion, "fashion_body_outfit"));
            EXPECT_EQ(field(doc, "fashion_texture"), field(fashion, "fashion_body_texture"));

            // Saved again unchanged under another name: the same exchange file, and a person
            // file that differs only in the fresh GUID.
            ASSERT_EQ(marquill("create" + g_ + " --from " + sh(file) + " --out again" +
                               std::to_string(round) + ".srf")
                          .status,
                      0);
            const std::string again = folder_ + "again" + std::to_string(round);
            const std::string original = folder_ + "star" + std::to_string(round);
            EXPECT_EQ(bytes(again + ".srf"), bytes(original + ".srf"));
            const std::string a = bytes(original + ".iff"), b = bytes(again + ".iff");
            ASSERT_EQ(a.size(), b.size());
            std::vector<size_t> differ;
            for (size_t i = 0; i < a.size(); ++i)
                if (a[i] != b[i]) differ.push_back(i);
            ASSERT_FALSE(differ.empty());
            EXPECT_EQ(a.substr(0, differ.front()), b.substr(0, differ.front()));
            // The bytes are the GUID: OBJD's data (after its 76-byte chunk header) at 28.
            const size_t objd = a.rfind("OBJD", differ.front());
            ASSERT_NE(objd, std::string::npos);
            EXPECT_GE(differ.front(), objd + 76 + 28);
            EXPECT_LE(differ.back(), objd + 76 + 31);
            ++round;
        }
}

TEST_F(SavedCelebrityCommands, ChoicesGoOnTopAndVanishedNamesGetTheDefault) {
    const std::string file = saved("plain");
    ASSERT_EQ(marquill("create" + g_ + " --from " + sh(folder_ + "plain.srf") +
                       " --out edited.srf --description " + sh("new\ntext") + " --fame 9")
                  .status,
              0);
    const std::string doc = marquill("show --json " + sh(folder_ + "edited.iff")).out;
    EXPECT_EQ(field(doc, "name"), "Plain");
    EXPECT_NE(doc.find("\"description\":\"new\\u000d\\u000atext\""), std::string::npos) << doc;
    EXPECT_NE(doc.find("\"fame\":9,"), std::string::npos);
    EXPECT_NE(doc.find("\"top\":[\"Weather\",\"Money\",\"Travel\",\"Style\",\"Food\"]"),
              std::string::npos)
        << doc;

    // A head the game no longer offers: the page's default, with a warning naming it.
    {
        marquill::resfile::IFFResFile2 iff;
        ASSERT_EQ(marquill::resfile::OpenResFile(iff, file, 0), 0);
        marquill::resfile::StringSet body;
        ASSERT_EQ(body.Load(iff, 200), 0);
        body.Set(3, "c999ma_gone,HEAD-HEAD=c999mamed_gone");
        ASSERT_EQ(body.Save(), 0);
        ASSERT_EQ(iff.Close(), 0);
    }
    const Ran run = marquillWithErrors("create" + g_ + " --from " + sh(file) + " --out moved.srf");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("the saved head 'c999ma_gone' is no longer offered"), std::string::npos)
        << run.out;
    EXPECT_NE(field(marquill("show --json " + sh(folder_ + "moved.iff")).out, "head"),
              "c999ma_gone");
}

TEST_F(SavedCelebrityCommands, ForeignFilesAreRepairedAndReported) {
    const std::string file = saved("foreign");
    // Constants of another tool: traits, interests and fame out of range, and a short count.
    ASSERT_EQ(marquill("iff " + sh(file) + " --extract BCON:4096 " + sh(root_ + "/bcon")).status,
              0);
    std::string bcon = bytes(root_ + "/bcon");
    auto put = [&](size_t index, int16_t v) {
        bcon[2 + 2 * index] = static_cast<char>(v & 0xFF);
        bcon[3 + 2 * index] = static_cast<char>((v >> 8) & 0xFF);
    };
    put(2, 1400);  // Neat 14
    put(6, -300);  // Nice -3
    put(7, 720);   // an interest between 500 and 1000
    put(8, 40);    // one near 100
    put(22, 15);   // fame
    write(root_ + "/bcon2", bcon);
    ASSERT_EQ(
        marquill("iff " + sh(file) + " --put BCON:4096:constants " + sh(root_ + "/bcon2")).status,
        0);
    {
        marquill::resfile::IFFResFile2 iff;
        ASSERT_EQ(marquill::resfile::OpenResFile(iff, file, 0), 0);
        marquill::resfile::StringSet body;
        ASSERT_EQ(body.Load(iff, 200), 0);
        body.Set(2, "b003mafit_01 BODY B003MAFitmed_bmoc");  // no commas
        body.Set(13, "Female");                              // the meshes still say male
        ASSERT_EQ(body.Save(), 0);
        ASSERT_EQ(iff.Close(), 0);
    }
    const Ran shown = marquill("show --json " + sh(file));
    ASSERT_EQ(shown.status, 0);
    const std::string& doc = shown.out;
    EXPECT_NE(doc.find("\"Neat\":10,"), std::string::npos) << doc;
    EXPECT_NE(doc.find("\"Nice\":0}"), std::string::npos) << doc;
    EXPECT_NE(doc.find("\"fame\":10,"), std::string::npos) << doc;
    EXPECT_EQ(field(doc, "gender"), "female");
    EXPECT_EQ(field(doc, "body"), "b003mafit_01 BODY B003MAFitmed_bmoc");
    for (const char* repair :
         {"Neat 14 is outside 0-10", "Nice -3 is outside 0-10", "interest Travel 720 is not",
          "interest Money 40 is not", "fame level 15 is outside 0-10", "lacks ',BODY='",
          "string 13 (Female) wins", "3 top and 6 low interests"})
        EXPECT_NE(doc.find(repair), std::string::npos) << repair << "\n" << doc;

    // A short constants resource: what is missing is reported, nothing read past its end.
    write(root_ + "/bcon3", std::string("\x20\x00\x00\x00\x00\x00\x2C\x01", 8));
    ASSERT_EQ(marquill("iff " + sh(file) + " --put BCON:4096 " + sh(root_ + "/bcon3")).status, 0);
    const std::string shortDoc = marquill("show --json " + sh(file)).out;
    EXPECT_NE(shortDoc.find("BCON 4096 counts 32 values but holds 3"), std::string::npos)
        << shortDoc;
    EXPECT_NE(shortDoc.find("\"Neat\":3,"), std::string::npos) << shortDoc;

    // Truncated anywhere: a reason or a report, never a crash.
    const std::string whole = bytes(file);
    for (size_t keep : {size_t{0}, size_t{10}, size_t{64}, whole.size() / 3, whole.size() / 2,
                        whole.size() - 40, whole.size() - 1}) {
        const std::string cut = root_ + "/cut.iff";
        write(cut, whole.substr(0, keep));
        const Ran r = marquillWithErrors("show " + sh(cut));
        EXPECT_TRUE(r.status == 0 || r.status == 3) << keep << ": " << r.out;
        if (r.status == 3) {
            EXPECT_NE(r.out.find("cut.iff"), std::string::npos) << r.out;
        }
    }
}

TEST_F(SavedCelebrityCommands, AMissingPersonFileIsNamed) {
    write(root_ + "/lonely.srf", "x");
    const Ran r = marquillWithErrors("show " + sh(root_ + "/lonely.srf"));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find("lonely.iff"), std::string::npos) << r.out;
    const Ran c =
        marquillWithErrors("create" + g_ + " --from " + sh(root_ + "/lonely.srf") + " --out x.srf");
    EXPECT_EQ(c.status, 3);
    EXPECT_FALSE(std::filesystem::exists(folder_ + "x.srf"));
}

}  // namespace
