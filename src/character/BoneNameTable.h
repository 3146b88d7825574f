#pragma once
// Bone names interned as small integers in order of first appearance, so skeletons, meshes and
// tracks compare bones by id.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marquill::character {

class BoneNameTable {
  public:
    int intern(const std::string& name);
    [[nodiscard]] int find(const std::string& name) const;  // -1 when unknown
    [[nodiscard]] const std::string& name(int id) const {
        return names_.at(static_cast<size_t>(id));
    }
    [[nodiscard]] size_t size() const { return names_.size(); }

  private:
    std::unordered_map<std::string, int> ids_;
    std::vector<std::string> names_;
};

}  // namespace marquill::character
