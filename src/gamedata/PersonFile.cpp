#include "gamedata/PersonFile.h"

#include "platform/ByteReader.h"
#include "platform/Cp1252.h"
#include "resfile/StringSetMulti.h"

namespace marquill::gamedata {

using namespace resfile;

uint32_t readU32le(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void writeU32le(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::optional<uint32_t> readPersonGuid(iResFile& file) {
    MemoryBlock* block = file.GetIndResource(kTypeObjectDefinition, 1);
    if (!block) return std::nullopt;
    std::optional<uint32_t> guid;
    platform::ByteReader reader(block->Bytes());
    if (reader.seek(kOffsetGuid)) guid = reader.u32le();
    (void)Release(file, block);
    return guid;
}

std::string readDisplayName(iResFile& file) {
    if (MemoryBlock* cats = file.GetResource(kTypeCatalogName, kPersonStringsId)) {
        platform::ByteReader reader(cats->Bytes());
        std::string name;
        if (reader.cString()) {
            if (auto second = reader.cString()) {
                name = *second;
            } else {
                auto rest = reader.rest();
                name.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
            }
        }
        (void)Release(file, cats);
        return platform::cp1252ToUtf8(name);
    }
    StringSetMulti strings;
    strings.Select(file, kPersonStringsId, kTypeCatalogStrings, StringForm::Binary, 0);
    if (strings.Load(StringSetMulti::Languages::Current, StringSetMulti::Fallback::Language0) != 0)
        return {};
    return platform::cp1252ToUtf8(strings.Get(1, 0).value_or(""));
}

std::string fileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string baseName(const std::string& path) {
    std::string name = fileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace marquill::gamedata
