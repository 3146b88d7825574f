#include "gamedata/NewCelebrityFile.h"

#include <vector>

#include "gamedata/BodyStrings.h"
#include "gamedata/CopyObjectFile.h"
#include "gamedata/PersonConstants.h"
#include "gamedata/PersonFile.h"
#include "platform/Cp1252.h"
#include "platform/GamePath.h"
#include "platform/ScratchFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cTreeConstants.h"

namespace marquill::gamedata {

using namespace resfile;

namespace {

// Index in BCON 4096 -> the value it takes.
std::vector<std::pair<size_t, int>> constantValues(const CelebrityValues& v) {
    std::vector<std::pair<size_t, int>> out = {{0, 0}, {1, 0}};
    for (size_t k = 0; k < v.traits.size(); ++k)
        out.emplace_back(kTraitConstant[k], v.traits[k] * 100);
    for (size_t id = 0; id < v.interestScores.size(); ++id)
        out.emplace_back(kInterestConstant[id], v.interestScores[id] * 100);
    out.emplace_back(kFameConstant, v.fameLevel);
    return out;
}

// A write that fails makes the file unfinished; the first such failure is kept.
void keepFirst(ResCode& failure, ResCode code) {
    if (failure == kResOk) failure = code;
}

void writeNames(iResFile& file, const CelebrityValues& values, ResCode& failure) {
    const std::string name = platform::utf8ToCp1252(values.name);
    const std::string description = platform::utf8ToCp1252(values.description);
    for (int language = 0; language < kLanguageCount; ++language) {
        StringSetMulti strings;
        strings.Select(file, kPersonStringsId, kTypeCatalogStrings, StringForm::Binary,
                       static_cast<uint8_t>(language));
        if (strings.Load(StringSetMulti::Languages::All, StringSetMulti::Fallback::Language0) !=
            kResOk)
            continue;
        strings.Set(2, description, language);
        strings.Set(1, name, language);
        keepFirst(failure, strings.Save());
    }
}

bool writeTraits(iResFile& file, const CelebrityValues& values, ResCode& failure) {
    cTreeConstants labels;
    PersonConstants constants;
    if (labels.Load(file, kConstantsId) != kResOk || !readPersonConstants(file, &constants))
        return false;
    std::vector<int> all(labels.entries.size(), 0);
    for (size_t i = 0; i < all.size() && i < constants.values.size(); ++i)
        all[i] = constants.values[i];
    for (auto [index, value] : constantValues(values))
        if (index < all.size()) all[index] = value;
    // The labels go back exactly as loaded (the game and other tools may rely on their fields);
    // the new values live in BCON alone.
    if (ResCode code = labels.Store(file, kConstantsId); code != kResOk) {
        keepFirst(failure, code);
        return true;
    }

    const size_t count = all.size() > 0x7FFF ? 0x7FFF : all.size();
    MemoryBlock* block = NewBlock(2 + 2 * count);
    if (!block) {
        keepFirst(failure, kResOutOfMemory);
        return true;
    }
    uint8_t* data = block->Bytes().data();
    const uint16_t word = static_cast<uint16_t>(count | constants.flag);
    data[0] = static_cast<uint8_t>(word);
    data[1] = static_cast<uint8_t>(word >> 8);
    for (size_t i = 0; i < count; ++i) {
        const auto v = static_cast<uint16_t>(static_cast<int16_t>(all[i]));
        data[2 + 2 * i] = static_cast<uint8_t>(v);
        data[3 + 2 * i] = static_cast<uint8_t>(v >> 8);
    }
    if (ResCode code = file.AddResource(block, kTypeConstants, kConstantsId, constants.name,
                                        DataOrder::Native);
        code != kResOk) {
        DisposeBlock(block);
        keepFirst(failure, code);
        return true;
    }
    keepFirst(failure, file.WriteResource(block));
    keepFirst(failure, file.Update());
    return true;
}

bool writeBodyStrings(iResFile& file, const character::Appearance& look, ResCode& failure) {
    StringSet strings;
    bool written = false;
    if (strings.Load(file, kBodyStringsId) == kResOk) {
        std::map<int, std::string> fromTemplate;
        for (int index : {16, 17, 28})
            if (auto s = strings.Get(index)) fromTemplate[index] = *s;
        const auto bodyStrings = celebrityBodyStrings(look, fromTemplate);
        for (int index : kBodyStringOrder) {
            auto it = bodyStrings.find(index);
            if (it != bodyStrings.end()) strings.Set(index, platform::nameToCp1252(it->second));
        }
        const ResCode saved = strings.Save();
        keepFirst(failure, saved);
        written = saved == kResOk;
    }
    // The template's pictures are of the template person, not of the new celebrity.
    std::vector<MemoryBlock*> pictures;
    const int count = file.CountResources(kTypeBitmap);
    for (int i = 1; i <= count && i <= 1023; ++i)
        if (MemoryBlock* block = file.GetIndResource(kTypeBitmap, i)) pictures.push_back(block);
    for (MemoryBlock* block : pictures)
        keepFirst(failure, file.RemoveResource(block));
    return written;
}

}  // namespace

NewCelebrityFileResult makeNewCelebrityFile(const std::string& basePath,
                                            const std::string& templatePath,
                                            const CelebrityValues& values, Reporter& reporter,
                                            platform::FileLayer& files) {
    platform::ScratchFile work(platform::resolveFileName(basePath + ".iff"), files);
    NewCelebrityFileResult result =
        writeNewCelebrityFile(work, templatePath, values, reporter, files);
    if (result.code == kResOk && !work.commit()) {
        result.code = kResCannotOpen;
        reporter.showMessage(kErrorTitle, "Could not create new file.");
    }
    return result;
}

NewCelebrityFileResult writeNewCelebrityFile(platform::ScratchFile& work,
                                             const std::string& templatePath,
                                             const CelebrityValues& values, Reporter& reporter,
                                             platform::FileLayer& files) {
    NewCelebrityFileResult result;
    result.path = work.target();

    reporter.status("Creating New Celeb Pemm...");
    ClockGuidSource guids;
    result.code = copyObjectFile(templatePath, work.path(), platform::utf8ToCp1252(values.name),
                                 guids, files);
    if (result.code != kResOk) {
        work.discard();
        reporter.showMessage(kErrorTitle, "Could not create new file.");
        return result;
    }

    reporter.status("Setting New Celeb Pemm's Name...");
    {
        IFFResFile2 file(files);
        result.code = OpenResFile(file, work.path(), 0);
        if (result.code != kResOk || !file.IsWritable()) {
            if (result.code == kResOk) result.code = kResNotWritable;
            (void)file.Close();
            work.discard();
            reporter.showMessage(kErrorTitle, "Could not open new file for naming.");
            return result;
        }
        ResCode failure = kResOk;
        writeNames(file, values, failure);
        reporter.status("Injecting Celeb Pemm's New DNA...");
        result.traitsWritten = writeTraits(file, values, failure);
        if (!result.traitsWritten)
            reporter.showMessage(kErrorTitle, "Could not open new file for traits.");
        keepFirst(failure, file.Close());
        result.code = failure;
    }
    if (result.code == kResOk) {
        IFFResFile2 file(files);
        result.code = OpenResFile(file, work.path(), 0);
        if (result.code == kResOk) {
            ResCode failure = kResOk;
            result.bodyStringsWritten = writeBodyStrings(file, values.appearance, failure);
            keepFirst(failure, file.Close());
            result.code = failure;
        }
    }
    if (result.code != kResOk) {
        work.discard();
        reporter.showMessage(kErrorTitle, "Could not create new file.");
    }
    return result;
}

}  // namespace marquill::gamedata
