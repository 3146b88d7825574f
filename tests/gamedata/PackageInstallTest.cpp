// Installing downloaded celebrity sets: archives built in memory, installed into files in memory
// (or on the disk where links matter), and what lies in TemplateCelebrity afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <filesystem>

#include "ArchiveBuilder.h"
#include "TestFiles.h"
#include "gamedata/ArchiveReader.h"
#include "gamedata/CelebrityPack.h"
#include "gamedata/PackageInstall.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;
using Kind = AddLine::Kind;

const std::string kFolder = "/game/TemplateCelebrity";

std::vector<uint8_t> personBytes(const std::string& name, uint32_t guid) {
    TempFolder temp;
    TestPerson p;
    p.guid = guid;
    p.names = {name};
    p.bodyStrings = {"A", "b001,BODY=b001"};
    writePerson(temp.path() + "/p.iff", p);
    return bytesOf(temp.path() + "/p.iff");
}

using namespace std::string_literals;

std::vector<uint8_t> text(const std::string& s) {
    return {s.begin(), s.end()};
}

void writeFileOrFail(const std::string& path, const std::string& content) {
    ASSERT_TRUE(platform::writeFileAtomically(path, text(content)));
}

std::vector<uint8_t> exchangeText(const std::string& name) {
    return text("[Marquill]\r\nName=" + name + "\r\nVersion=4\r\n");
}

// The four files of a set, under `folder` inside the archive.
std::vector<Entry> setEntries(const std::string& folder, const std::string& name, uint32_t guid,
                              const std::string& headSpelling = "head.jpg") {
    return {{folder + name + ".iff", personBytes(name, guid)},
            {folder + name + ".srf", exchangeText(name)},
            {folder + name + headSpelling, jpegOfSize(128, 128)},
            {folder + name + "body.jpg", jpegOfSize(256, 512)}};
}

AddReport install(platform::MemoryFiles& files, const std::vector<uint8_t>& archive,
                  const std::string& label = "download.zip") {
    return installCelebrities({{label, archive}}, kFolder, files);
}

std::vector<std::string> installedNames(platform::MemoryFiles& files) {
    std::vector<std::string> names;
    for (const auto& e : files.list(kFolder).value_or(std::vector<platform::DirectoryEntry>{}))
        names.push_back(e.name);
    return names;
}

std::vector<AddLine> linesOf(const AddReport& r, Kind kind) {
    std::vector<AddLine> out;
    for (const auto& l : r.lines)
        if (l.kind == kind) out.push_back(l);
    return out;
}

TEST(PackageInstall, EveryFormatInstallsItsSetsFromNestedFoldersAndLeavesTheRestOut) {
    for (Format format : {Format::Zip, Format::SevenZip, Format::Tar, Format::TarGzip,
                          Format::TarBzip2, Format::TarXz, Format::TarZstd}) {
        SCOPED_TRACE(static_cast<int>(format));
        auto entries = setEntries("pack/deep/", "Star", 11, "HEAD.JPG");
        auto more = setEntries("other/", "Moon", 12);
        entries.insert(entries.end(), more.begin(), more.end());
        entries.push_back({"pack/readme.txt", text("hello")});
        entries.push_back({"pack/inner.zip", text("PK")});
        entries.push_back({"pack/empty/", {}, AE_IFDIR});
        auto archive = buildArchive(format, entries);
        ASSERT_FALSE(archive.empty());

        platform::MemoryFiles files;
        auto report = install(files, archive);
        EXPECT_FALSE(report.readError);
        EXPECT_FALSE(report.anyRefused());
        ASSERT_EQ(linesOf(report, Kind::Installed).size(), 2u);
        EXPECT_EQ(linesOf(report, Kind::LeftOut).size(), 2u);  // the readme, the inner archive
        EXPECT_EQ(
            installedNames(files),
            (std::vector<std::string>{"Moon.iff", "Moon.srf", "Moonbody.jpg", "Moonhead.jpg",
                                      "Star.iff", "Star.srf", "Starbody.jpg", "Starhead.jpg"}));
        EXPECT_EQ(files.bytesOf(kFolder + "/Starhead.jpg"), entries[2].bytes);
        EXPECT_EQ(files.bytesOf(kFolder + "/Star.iff"), entries[0].bytes);
        EXPECT_EQ(report.syncs, 2);  // the files once, the folder once
    }
}

TEST(PackageInstall, HostileEntriesRefuseTheWholeArchiveAndWriteNothing) {
    const std::vector<Entry> hostile = {
        {"/etc/Star.iff", personBytes("Star", 1)},
        {"pack/../../Evil.iff", personBytes("Evil", 1)},
        // A zip made on Windows may use backslashes as separators and is read so; a tar may not.
        {"pack\\..\\..\\Evil.iff", personBytes("Evil", 1)},
        {"pack/Evil.iff", {}, AE_IFLNK, "/etc/passwd"},
        {"pack/Evil.srf", {}, AE_IFREG, "pack/Star.srf", true},
        {"pack/dev", {}, AE_IFCHR},
        {"pack/fifo", {}, AE_IFIFO},
    };
    for (Format format : {Format::Tar, Format::Zip}) {
        for (const Entry& bad : hostile) {
            SCOPED_TRACE(bad.path + " in format " + std::to_string(static_cast<int>(format)));
            if (bad.hardLink && format == Format::Zip) continue;  // a zip holds no hard links
            auto entries = setEntries("pack/", "Star", 5);
            entries.push_back(bad);
            auto archive = buildArchive(format, entries);
            if (archive.empty()) continue;  // a kind this format cannot hold
            platform::MemoryFiles files;
            auto report = install(files, archive);
            ASSERT_EQ(report.lines.size(), 1u) << report.lines[1].name << report.lines[1].reason;
            EXPECT_EQ(report.lines[0].kind, Kind::Refused);
            EXPECT_FALSE(report.lines[0].reason.empty());
            EXPECT_TRUE(files.paths().empty());
        }
    }
}

TEST(PackageInstall, LimitsCountTheBytesProducedNotTheHeaders) {
    std::vector<uint8_t> zeros(300000, 0);  // compresses to almost nothing
    auto archive = buildArchive(Format::TarXz, {{"big.bin", zeros}, {"b.bin", zeros}});
    ArchiveLimits loose;  // every limit but the one under test out of the way
    loose.ratio = 1u << 30;
    auto refusal = [&](ArchiveLimits limits, uint64_t budget = 1ull << 30) {
        ByteBudget b{budget};
        return readArchive(archive, {}, b, limits).refusal;
    };
    ArchiveLimits entry = loose;
    entry.entryBytes = 200000;
    EXPECT_NE(refusal(entry).find("big.bin unpacks to more than"), std::string::npos);
    EXPECT_NE(refusal({}).find("times its own size"), std::string::npos);  // the default ratio
    ArchiveLimits whole = loose;
    whole.archiveBytes = 500000;
    EXPECT_NE(refusal(whole).find("the archive unpacks to more than"), std::string::npos);
    EXPECT_NE(refusal(loose, 400000).find("1 GiB"), std::string::npos);
    ArchiveLimits few = loose;
    few.entries = 1;
    EXPECT_NE(refusal(few).find("entries"), std::string::npos);

    ByteBudget plenty;
    auto read = readArchive(
        archive, [](std::string_view) { return false; }, plenty, loose);
    ASSERT_TRUE(read.ok()) << read.refusal;
    EXPECT_EQ(read.members[0].size, zeros.size());
    EXPECT_TRUE(read.members[0].bytes.empty());  // counted, not kept
    EXPECT_EQ(plenty.remaining, (1ull << 30) - 2 * zeros.size());
}

TEST(PackageInstall, DamagedTruncatedEncryptedAndForeignInputIsRefused) {
    auto archive = buildArchive(Format::Zip, setEntries("", "Star", 3));
    std::vector<uint8_t> truncated(archive.begin(), archive.begin() + archive.size() / 2);
    std::vector<uint8_t> damaged = archive;
    for (size_t i = 60; i < 400 && i < damaged.size(); ++i)
        damaged[i] ^= 0x5A;
    std::vector<std::vector<uint8_t>> bad = {truncated, damaged, text("just some text")};
    auto encrypted = buildArchive(Format::Zip, setEntries("", "Star", 3),
                                  "zip:encryption=zipcrypt,zip:passphrase=secret");
    if (!encrypted.empty()) bad.push_back(encrypted);
    for (const auto& bytes : bad) {
        platform::MemoryFiles files;
        auto report = install(files, bytes);
        EXPECT_TRUE(report.anyRefused());
        EXPECT_EQ(linesOf(report, Kind::Installed).size(), 0u);
        EXPECT_TRUE(files.paths().empty());
    }
    if (!encrypted.empty()) {
        platform::MemoryFiles files;
        EXPECT_NE(install(files, encrypted).lines[0].reason.find("encrypted"), std::string::npos);
    }
}

TEST(PackageInstall, FilesThatDoNotPassRefuseTheirSetOnly) {
    struct Case {
        std::string name;
        std::string file;  // replaced or added
        std::vector<uint8_t> bytes;
    };
    std::setlocale(LC_CTYPE, "C.UTF-8");  // for the writer to take a name beyond ASCII
    TempFolder temp;
    TestPerson nameless;
    nameless.names.clear();
    writePerson(temp.path() + "/n.iff", nameless);
    TestPerson noObject;
    noObject.objd = false;
    writePerson(temp.path() + "/o.iff", noObject);
    const std::vector<Case> cases = {
        {"Bad", "Bad.iff", text("not a resource file")},
        {"Bad", "Bad.iff", bytesOf(temp.path() + "/n.iff")},
        {"Bad", "Bad.iff", bytesOf(temp.path() + "/o.iff")},
        {"Bad", "Bad.srf", text("[Other]\r\nName=x\r\n")},
        {"Bad", "Bad.srf", std::vector<uint8_t>(70000, 'a')},
        {"Bad", "Bad.srf", text("[Marquill]\r\nName=a\0b\r\nVersion=4\r\n"s)},
        {"Bad", "Badhead.jpg", jpegOfSize(513, 100)},
        {"Bad", "Badbody.jpg", text("GIF89a")},
        {"Bad", "Badbody.jpg", jpegOfSize(10, 10)},  // resized below past 1 MiB
        {"CON", "CON.iff", personBytes("CON", 9)},
        {"com1", "com1.iff", personBytes("c", 9)},
        {".Hidden", ".Hidden.iff", personBytes("h", 9)},
        {"Ab:c", "Ab:c.iff", personBytes("h", 9)},
        {"Tab\tName", "Tab\tName.iff", personBytes("h", 9)},
        {"Ends.", "Ends..iff", personBytes("h", 9)},
        {"Emoji\xF0\x9F\x98\x80", "Emoji\xF0\x9F\x98\x80.iff", personBytes("h", 9)},
        {std::string(240, 'L'), std::string(240, 'L') + ".iff", personBytes("h", 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto entries = setEntries("", "Good", 1);
        auto bad = setEntries("", c.name, 2);
        for (auto& e : bad)
            if (e.path == c.file) e.bytes = c.bytes;
        if (c.file == "Badbody.jpg") bad[3].bytes.insert(bad[3].bytes.end() - 2, 1 << 20, 0);
        bad.erase(std::remove_if(bad.begin() + 1, bad.end(),
                                 [&](const Entry& e) { return e.path != c.file; }),
                  bad.end());
        entries.insert(entries.end(), bad.begin(), bad.end());
        platform::MemoryFiles files;
        auto report = install(files, buildArchive(Format::Tar, entries));
        auto refused = linesOf(report, Kind::Refused);
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].name, c.name) << refused[0].reason;
        EXPECT_EQ(linesOf(report, Kind::Installed).size(), 1u);
        EXPECT_EQ(installedNames(files).size(), 4u);  // Good's files alone
    }
}

TEST(PackageInstall, TakenNamesGetTheFirstFreeNumberAndIdenticalSetsAreAlreadyThere) {
    platform::MemoryFiles files;
    files.put(kFolder + "/STAR.iff", personBytes("Other", 77));  // another celebrity, in capitals
    files.put(kFolder + "/Star (2)head.jpg", jpegOfSize(4, 4));  // a stray snapshot holds (2)
    auto archive = buildArchive(Format::Zip, setEntries("", "Star", 3));

    auto first = install(files, archive);
    ASSERT_EQ(first.lines.size(), 1u);
    EXPECT_EQ(first.lines[0].kind, Kind::InstalledAs);
    EXPECT_EQ(first.lines[0].installedAs, "Star (3)");
    for (const char* f : {"Star (3).iff", "Star (3).srf", "Star (3)head.jpg", "Star (3)body.jpg"})
        EXPECT_TRUE(files.exists(kFolder + "/" + f)) << f;
    EXPECT_EQ(files.bytesOf(kFolder + "/STAR.iff"), personBytes("Other", 77));

    auto again = install(files, archive);
    ASSERT_EQ(again.lines.size(), 1u);
    EXPECT_EQ(again.lines[0].kind, Kind::AlreadyThere);
    EXPECT_EQ(again.lines[0].installedAs, "Star (3)");
    EXPECT_EQ(again.syncs, 0);

    // Only the files both have are compared: an installed set without its snapshots matches.
    platform::MemoryFiles bare;
    auto set = setEntries("", "Moon", 4);
    bare.put(kFolder + "/moon.iff", set[0].bytes);
    auto report = install(bare, buildArchive(Format::Zip, set));
    EXPECT_EQ(report.lines[0].kind, Kind::AlreadyThere);
    EXPECT_EQ(bare.paths().size(), 1u);
}

TEST(PackageInstall, TheFirstSetOfANameWinsAndLaterOnesAreDuplicates) {
    auto entries = setEntries("a/", "Star", 1);
    auto second = setEntries("b/", "star", 2);
    entries.insert(entries.end(), second.begin(), second.end());
    entries.push_back({"c/Lonehead.jpg", jpegOfSize(8, 8)});
    platform::MemoryFiles files;
    auto report = install(files, buildArchive(Format::SevenZip, entries));
    EXPECT_EQ(linesOf(report, Kind::Installed).size(), 1u);
    EXPECT_EQ(linesOf(report, Kind::Duplicate).size(), 1u);
    EXPECT_EQ(linesOf(report, Kind::LeftOut).size(), 1u);  // a snapshot without a person file
    EXPECT_EQ(files.bytesOf(kFolder + "/Star.iff"), entries[0].bytes);
    EXPECT_FALSE(report.anyRefused());
}

TEST(PackageInstall, LooseFilesGroupIntoOneSet) {
    auto set = setEntries("", "Nova", 8);
    std::vector<AddInput> inputs;
    for (const auto& e : set)
        inputs.push_back({"/downloads/" + e.path, e.bytes});
    platform::MemoryFiles files;
    auto report = installCelebrities(inputs, kFolder, files);
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0].kind, Kind::Installed);
    EXPECT_EQ(installedNames(files).size(), 4u);
}

// A set stopped or failed at any write: after the next run's clean-up there is no scratch file,
// and a set's person file (what the import offers) lies there only with every other file.
TEST(PackageInstall, ASetCutOffPartWayIsNeverOfferedHalfWritten) {
    auto entries = setEntries("", "Star", 1);
    auto moon = setEntries("", "Moon", 2);
    entries.insert(entries.end(), moon.begin(), moon.end());
    const auto archive = buildArchive(Format::Zip, entries);
    auto fresh = [] {
        auto files = std::make_unique<platform::MemoryFiles>();
        files->put(kFolder + "/keep.iff", text("player's own"));
        return files;
    };
    auto uncut = fresh();
    (void)install(*uncut, archive);
    forEveryCutOff(uncut->writes(), fresh, [&](platform::MemoryFiles& files, CutOff cut) {
        auto report = install(files, archive);
        auto after = files.restart("run2");
        platform::removeLeftoverScratchFiles(kFolder, *after);
        EXPECT_EQ(scratchFilesIn(*after, kFolder), 0u);
        EXPECT_EQ(after->bytesOf(kFolder + "/keep.iff"), text("player's own"));
        for (const std::string name : {"Star", "Moon"}) {
            const bool offered = after->exists(kFolder + "/" + name + ".iff");
            const bool complete = after->exists(kFolder + "/" + name + ".srf") &&
                                  after->exists(kFolder + "/" + name + "head.jpg") &&
                                  after->exists(kFolder + "/" + name + "body.jpg");
            if (offered) {
                EXPECT_TRUE(complete) << name;
            }
            bool said = false;
            for (const auto& l : report.lines)
                said = said || (l.name == name && l.kind == Kind::Installed);
            // A failed write (the run goes on) leaves nothing of the set; a reported install is
            // there whole.
            if (cut == CutOff::Fail && !said) {
                EXPECT_FALSE(offered || after->exists(kFolder + "/" + name + ".srf")) << name;
            }
            if (said && cut == CutOff::Fail) {
                EXPECT_TRUE(offered && complete) << name;
            }
        }
    });
}

TEST(PackageInstall, PackThenInstallGivesTheSameFilesByteForByte) {
    platform::MemoryFiles saved;
    const auto set = setEntries("", "Nova Bright", 21);
    for (const auto& e : set)
        saved.put(kFolder + "/" + e.path, e.bytes);
    saved.put(kFolder + "/Other.iff", personBytes("Other", 2));
    auto packed = packCelebrity(kFolder, "nova bright", saved);
    ASSERT_TRUE(packed.zip) << packed.problem;
    EXPECT_EQ(packed.files.size(), 4u);

    platform::MemoryFiles empty;
    auto report = install(empty, *packed.zip, "Nova Bright.zip");
    EXPECT_FALSE(report.anyRefused());
    ASSERT_EQ(linesOf(report, Kind::LeftOut).size(), 1u);  // the readme
    EXPECT_EQ(linesOf(report, Kind::LeftOut)[0].name, "readme.txt");
    for (const auto& e : set)
        EXPECT_EQ(empty.bytesOf(kFolder + "/" + e.path), e.bytes) << e.path;
    EXPECT_EQ(empty.paths().size(), 4u);

    EXPECT_FALSE(packCelebrity(kFolder, "Nobody", saved).zip);
}

// On the disk: no write goes through a link, in the folder or as the folder.
TEST(PackageInstall, LinksInOrAsTheFolderAreNeverWrittenThrough) {
    TempFolder temp;
    const std::string outside = temp.path() + "/outside";
    std::filesystem::create_directories(outside);
    const std::string folder = temp.path() + "/TemplateCelebrity";
    std::filesystem::create_directories(folder);
    writeFileOrFail(outside + "/target.iff", "outside file");
    std::filesystem::create_symlink(outside + "/target.iff", folder + "/Star.iff");
    std::filesystem::create_symlink(outside + "/nowhere", folder + "/Star.srf");
    auto archive = buildArchive(Format::Zip, setEntries("", "Star", 3));

    auto report = installCelebrities({{"a.zip", archive}}, folder);
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0].kind, Kind::InstalledAs);
    EXPECT_EQ(bytesOf(outside + "/target.iff"), text("outside file"));
    EXPECT_FALSE(std::filesystem::exists(outside + "/nowhere"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/Star (2)body.jpg"));

    const std::string linked = temp.path() + "/game2/TemplateCelebrity";
    std::filesystem::create_directories(temp.path() + "/game2");
    std::filesystem::create_directory_symlink(outside, linked);
    auto refused = installCelebrities({{"a.zip", archive}}, linked);
    ASSERT_EQ(refused.lines.size(), 1u);
    EXPECT_EQ(refused.lines[0].kind, Kind::Refused);
    EXPECT_NE(refused.lines[0].reason.find("link"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside), {}), 1);
}

TEST(PackageInstall, OnlyRegularFilesAreReadAsInput) {
    TempFolder temp;
    const std::string fifo = temp.path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), fifo, temp.path()}) {
        auto read = readAddInput(path);
        EXPECT_FALSE(read.input) << path;
        ASSERT_TRUE(read.failure) << path;
        EXPECT_EQ(read.failure->reason, "not a regular file");
        EXPECT_FALSE(read.readError);
    }
    auto missing = readAddInput(temp.path() + "/missing.zip");
    EXPECT_TRUE(missing.readError);
}

}  // namespace
}  // namespace marquill::gamedata

namespace marquill::gamedata {
namespace {

// RAR cannot be written here: archives made elsewhere (rar 4 and rar 5, each holding at least one
// celebrity set) go into tests/gamedata/fixtures, with a note of how they were made.
TEST(PackageInstall, RarFixturesInstallTheirSets) {
    const std::filesystem::path dir = MARQUILL_SOURCE_DIR "/tests/gamedata/fixtures";
    std::vector<std::filesystem::path> rars;
    if (std::filesystem::is_directory(dir))
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".rar") rars.push_back(entry.path());
    if (rars.empty()) GTEST_SKIP() << "no RAR fixture in " << dir;
    for (const auto& rar : rars) {
        SCOPED_TRACE(rar.string());
        platform::MemoryFiles files;
        auto report = install(files, bytesOf(rar.string()), rar.filename().string());
        EXPECT_FALSE(report.anyRefused());
        EXPECT_FALSE(linesOf(report, AddLine::Kind::Installed).empty());
    }
}

}  // namespace
}  // namespace marquill::gamedata
