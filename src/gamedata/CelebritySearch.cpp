#include "gamedata/CelebritySearch.h"

#include <algorithm>

#include "gamedata/PersonFile.h"
#include "platform/GamePath.h"
#include "resfile/IFFResFile2.h"
#include "resfile/cFamily.h"

namespace marquill::gamedata {

using namespace resfile;

std::string CelebrityEntry::listText() const {
    return fileName + "   -   " + displayName;
}

std::string entryFileName(std::string_view listText) {
    return std::string(listText.substr(0, listText.find(' ')));
}

std::vector<uint32_t> readCelebrityGuids(const std::string& neighborhoodFile) {
    std::vector<uint32_t> guids;
    IFFResFile2 file;
    if (OpenResFile(file, neighborhoodFile, kOpenReadOnly) != kResOk) return guids;
    const int count = file.CountResources(kTypeFamily);
    for (int i = 1; i <= count; ++i) {
        MemoryBlock* block = file.GetIndResource(kTypeFamily, i);
        if (!block) continue;
        int16_t id = 0;
        (void)file.GetResourceId(block, id);
        (void)Release(file, block);
        if (id != kCelebrityFamilyId) continue;
        cFamily family;
        if (family.Load(file, kCelebrityFamilyId) != kResOk) continue;
        guids.insert(guids.end(), family.memberGuids.begin(), family.memberGuids.end());
    }
    (void)file.Close();
    return guids;
}

CelebritySearchResult searchCelebrities(const GamePaths& paths, int neighborhood,
                                        const ScanProgress& progress) {
    CelebritySearchResult result;
    const std::string folder = paths.personFolder(neighborhood);
    const std::vector<std::string> names = platform::findFiles(folder, "User*.iff");
    const int count = static_cast<int>(names.size());
    if (progress) progress("", 0, count);

    result.guids = readCelebrityGuids(paths.neighborhoodFile(neighborhood));
    const size_t wanted = result.guids.size();
    int position = 0;
    for (const std::string& name : names) {
        if (result.entries.size() >= wanted) break;
        if (progress) progress("Checking " + name, ++position, count);
        ++result.examined;
        IFFResFile2 file;
        if (OpenResFile(file, folder + name, kOpenReadOnly) != kResOk) {
            result.skipped.push_back(name);
            continue;
        }
        std::optional<uint32_t> guid = readPersonGuid(file);
        if (!guid) {
            result.skipped.push_back(name);
            continue;
        }
        std::string display = readDisplayName(file);
        (void)file.Close();
        if (std::find(result.guids.begin(), result.guids.end(), *guid) != result.guids.end())
            result.entries.push_back(CelebrityEntry{name, std::move(display), *guid});
    }
    return result;
}

std::vector<std::string> listCelebrityFiles(const GamePaths& paths, const ScanProgress& progress) {
    std::vector<std::string> list;
    const std::vector<std::string> names =
        platform::findFiles(paths.templateCelebrityFolder(), "*.iff");
    const int count = static_cast<int>(names.size());
    if (progress) progress("", 0, count);
    int position = 0;
    for (const std::string& name : names) {
        if (progress) progress("Checking " + name, ++position, count);
        if (name.find("QTCelebGeneric.iff") == std::string::npos) list.push_back(name);
    }
    return list;
}

}  // namespace marquill::gamedata
