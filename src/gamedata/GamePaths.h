#pragma once
// Where the game keeps things. Neighbourhood n (1-99) lives in "UserData" (n = 1) or "UserData<n>",
// with its neighbourhood file and a folder of person files; celebrity files wait in
// "TemplateCelebrity". Every path is resolved against the spelling on disk.
#include <string>
#include <string_view>

namespace marquill::gamedata {

// The refusal when TemplateCelebrity is neither there nor can be made.
inline constexpr std::string_view kNoTemplateFolderMessage =
    "Marquill couldn't find or create the TemplateCelebrity folder in your Pemms directory.  "
    "Please make sure the Pemms is installed properly.";

inline constexpr int kFirstNeighborhood = 1;
inline constexpr int kLastNeighborhood = 99;

class GamePaths {
  public:
    explicit GamePaths(std::string gameFolder) : game_(std::move(gameFolder)) {}

    [[nodiscard]] const std::string& gameFolder() const { return game_; }
    [[nodiscard]] std::string userDataFolder(int n) const;
    [[nodiscard]] std::string neighborhoodFile(int n) const;
    // With a trailing "/".
    [[nodiscard]] std::string personFolder(int n) const;
    [[nodiscard]] std::string templateCelebrityFolder() const;
    [[nodiscard]] bool neighborhoodExists(int n) const;

  private:
    std::string game_;
};

// "UserData" or "UserData<n>".
[[nodiscard]] std::string userDataName(int n);

}  // namespace marquill::gamedata
