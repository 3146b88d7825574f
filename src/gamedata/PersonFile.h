#pragma once
// What the game-data flows read from and write into person files (User*.iff, celebrity files,
// the template): the object definition with the person's identity number (GUID), the name
// strings, the constants, the body strings and the pictures.
//
// OBJD data offsets used: 18 a 16-bit value, 28 the GUID, 140 the GUID it was copied from.
#include <cstdint>
#include <optional>
#include <string>

#include "resfile/ResType.h"
#include "resfile/iResFile.h"

namespace marquill::gamedata {

inline constexpr resfile::ResType kTypeObjectDefinition = resfile::MakeResType("OBJD");
inline constexpr resfile::ResType kTypeCatalogStrings = resfile::MakeResType("CTSS");
inline constexpr resfile::ResType kTypeCatalogName = resfile::MakeResType("CATS");
inline constexpr resfile::ResType kTypeConstants = resfile::MakeResType("BCON");
inline constexpr resfile::ResType kTypeBitmap = resfile::MakeResType("BMP_");
// The type the copy routine turns into a string set; not the text form's code.
inline constexpr resfile::ResType kTypeCopiedStrings = 0x63737400;

inline constexpr int16_t kPersonStringsId = 2000;  // CTSS and CATS
inline constexpr int16_t kBodyStringsId = 200;     // STR#
inline constexpr int16_t kConstantsId = 4096;      // BCON and TRCN
inline constexpr int16_t kCelebrityFamilyId = 5000;

inline constexpr size_t kOffsetReplaced = 18;
inline constexpr size_t kOffsetGuid = 28;
inline constexpr size_t kOffsetPreviousGuid = 140;
inline constexpr size_t kMinObjectDefinitionSize = 144;

// The GUID at offset 28 of the first OBJD; none when the file has no OBJD or it is too short.
[[nodiscard]] std::optional<uint32_t> readPersonGuid(resfile::iResFile& file);
// CATS 2000's second string when the file has one, else string 1 of CTSS 2000 in the current
// language; UTF-8.
[[nodiscard]] std::string readDisplayName(resfile::iResFile& file);

[[nodiscard]] uint32_t readU32le(const uint8_t* p);
void writeU32le(uint8_t* p, uint32_t v);

// A file name without folder and extension.
[[nodiscard]] std::string baseName(const std::string& path);
[[nodiscard]] std::string fileName(const std::string& path);
[[nodiscard]] std::string folderOf(const std::string& path);

}  // namespace marquill::gamedata
