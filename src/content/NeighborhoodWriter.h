#pragma once
// Writes a neighbourhood file: its families (FAMI, with names in FAMs and a house record in FAMh).
// Family 5000 is the neighbourhood's celebrity family.
#include <cstdint>
#include <string>
#include <vector>

namespace marquill::content {

struct FamilySpec {
    int16_t id = 0;
    std::string name;
    std::vector<uint32_t> members;
};

[[nodiscard]] bool writeNeighborhoodFile(const std::string& path,
                                         const std::vector<FamilySpec>& families,
                                         std::string* error);

}  // namespace marquill::content
