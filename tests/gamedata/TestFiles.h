#pragma once
// Person and neighbourhood files for the game-data tests, written with the resource-file classes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/PersonFile.h"
#include "platform/Files.h"
#include "platform/MemoryFiles.h"
#include "platform/ScratchFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"
#include "resfile/cTreeConstants.h"

namespace marquill::gamedata::testing_files {

using namespace resfile;

struct TestPerson {
    uint32_t guid = 0;
    std::string objectName = "person";
    std::vector<std::string> names = {"Person"};  // one per language
    std::string catsName;                         // non-empty: a CATS 2000 too
    std::vector<std::string> bodyStrings;
    size_t constants = 27;  // TRCN labels and BCON values
    size_t storedConstants = 27;
    int pictures = 2;
    bool objd = true;
};

inline void addBlock(IFFResFile2& file, ResType type, int16_t id, const std::string& name,
                     const std::vector<uint8_t>& bytes) {
    MemoryBlock* block = NewBlock(bytes.size());
    ASSERT_NE(block, nullptr);
    std::copy(bytes.begin(), bytes.end(), block->Bytes().begin());
    ASSERT_EQ(file.AddResource(block, type, id, name, DataOrder::Native), kResOk);
    ASSERT_EQ(file.WriteResource(block), kResOk);
}

inline void writePerson(const std::string& path, const TestPerson& p) {
    std::filesystem::remove(path);
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    if (p.objd) {
        std::vector<uint8_t> objd(160, 0);
        writeU32le(objd.data() + kOffsetGuid, p.guid);
        objd[kOffsetReplaced] = 7;
        addBlock(file, kTypeObjectDefinition, 128, p.objectName, objd);
    }
    for (size_t lang = 0; lang < p.names.size(); ++lang) {
        StringSetMulti set;
        set.Select(file, kPersonStringsId, kTypeCatalogStrings, StringForm::Binary,
                   static_cast<uint8_t>(lang));
        set.Set(1, p.names[lang], static_cast<int>(lang));
        set.Set(2, "description " + std::to_string(lang), static_cast<int>(lang));
        ASSERT_EQ(set.Save(), kResOk);
    }
    if (!p.catsName.empty()) {
        std::string data = std::string("key") + '\0' + p.catsName + '\0';
        addBlock(file, kTypeCatalogName, kPersonStringsId, "",
                 std::vector<uint8_t>(data.begin(), data.end()));
    }
    if (p.constants > 0) {
        cTreeConstants labels;
        for (size_t i = 0; i < p.constants; ++i) {
            TreeConstant c;
            c.value = static_cast<int32_t>(i);
            c.label = "label " + std::to_string(i);
            labels.entries.push_back(c);
        }
        ASSERT_EQ(labels.Store(file, kConstantsId), kResOk);
        std::vector<uint8_t> bcon;
        bcon.push_back(static_cast<uint8_t>(p.storedConstants));
        bcon.push_back(0x80);  // the flag bit, kept
        for (size_t i = 0; i < p.storedConstants; ++i) {
            bcon.push_back(static_cast<uint8_t>(7 + i));
            bcon.push_back(0);
        }
        addBlock(file, kTypeConstants, kConstantsId, "bcon name", bcon);
    }
    if (!p.bodyStrings.empty()) {
        StringSetMulti set;
        set.Select(file, kBodyStringsId, kTypeStrings, StringForm::Binary, 0);
        for (size_t i = 0; i < p.bodyStrings.size(); ++i)
            set.Set(static_cast<int>(i + 1), p.bodyStrings[i], 0);
        ASSERT_EQ(set.Save(), kResOk);
    }
    for (int i = 0; i < p.pictures; ++i)
        addBlock(file, kTypeBitmap, static_cast<int16_t>(i + 1), "", std::vector<uint8_t>(8, 0x42));
    ASSERT_EQ(file.Close(), kResOk);
}

inline void writeNeighborhood(const std::string& path, const std::vector<uint32_t>& celebrities,
                              bool withCelebrityFamily = true) {
    std::filesystem::remove(path);
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    cFamily other;
    other.memberGuids = {0xDEAD};
    ASSERT_EQ(other.Store(file, 1), kResOk);
    if (withCelebrityFamily) {
        cFamily celebs;
        celebs.memberGuids = celebrities;
        ASSERT_EQ(celebs.Store(file, kCelebrityFamilyId), kResOk);
    }
    ASSERT_EQ(file.Close(), kResOk);
}

inline std::vector<uint8_t> bytesOf(const std::string& path) {
    return platform::readWholeFile(path).value_or(std::vector<uint8_t>{});
}

// A fresh folder per test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ = ::testing::TempDir() + "/gamedata-" + std::to_string(::getpid()) + "-" +
                std::to_string(counter++);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    [[nodiscard]] const std::string& path() const { return path_; }

  private:
    std::string path_;
};

enum class CutOff { Kill, Fail };

// For every write an uncut run makes: a fresh layer from `fresh` that is killed after that write
// (also before the first) or fails it, handed to `run`.
inline void forEveryCutOff(uint64_t writes,
                           const std::function<std::unique_ptr<platform::MemoryFiles>()>& fresh,
                           const std::function<void(platform::MemoryFiles&, CutOff)>& run) {
    for (CutOff cut : {CutOff::Kill, CutOff::Fail}) {
        for (uint64_t n = cut == CutOff::Kill ? 0 : 1; n < writes; ++n) {
            SCOPED_TRACE((cut == CutOff::Kill ? "stopped after write " : "failing write ") +
                         std::to_string(n) + " of " + std::to_string(writes));
            auto files = fresh();
            if (cut == CutOff::Kill)
                files->stopAfter(n);
            else
                files->failAt(n);
            run(*files, cut);
            EXPECT_TRUE(files->cutOffReached());
        }
    }
    std::printf("cut-off runs: %llu writes, %llu cases\n", static_cast<unsigned long long>(writes),
                static_cast<unsigned long long>(2 * writes - 1));
}

inline size_t scratchFilesIn(platform::MemoryFiles& files, const std::string& folder) {
    size_t count = 0;
    const auto entries = files.list(folder).value_or(std::vector<platform::DirectoryEntry>{});
    for (const auto& entry : entries)
        count += platform::isScratchFileName(entry.name);
    return count;
}

}  // namespace marquill::gamedata::testing_files
