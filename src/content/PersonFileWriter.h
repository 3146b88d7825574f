#pragma once
// Writes person files (and the template person file) shaped like the game's own: an object
// definition with the person's GUID, the name strings, the constants with their labels, the body
// strings, pictures and the other resources a person file carries.
#include <cstdint>
#include <string>
#include <vector>

namespace marquill::content {

struct PersonContents {
    uint32_t guid = 0;
    std::string objectName;  // the OBJD resource's name
    // Names per language (at least one); UTF-8.
    std::vector<std::pair<std::string, std::string>> namesByLanguage;  // (name, description)
    bool catalogName = false;              // also a CATS 2000 naming the person
    std::vector<std::string> bodyStrings;  // STR# 200, 1-based in order
    std::vector<int16_t> constants;        // BCON 4096, one per TRCN label
    int pictures = 3;                      // BMP_ resources
};

// The 23 labels the celebrity values fill, then a few more.
[[nodiscard]] const std::vector<std::string>& personConstantLabels();

// Body strings of a person of the given look. gender 0/1, skin 0-2, body type 0-2.
[[nodiscard]] std::vector<std::string> personBodyStrings(
    int gender, int skin, int bodyType, const std::string& headMesh, const std::string& headTexture,
    const std::string& bodyMesh, const std::string& bodyTexture, bool adult = true);

// false with a reason when the file could not be written; an existing file is replaced.
[[nodiscard]] bool writePersonFile(const std::string& path, const PersonContents& person,
                                   std::string* error);

}  // namespace marquill::content
