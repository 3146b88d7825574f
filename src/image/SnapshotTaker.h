#pragma once
// The snapshot stage of a save: a head and a body picture beside the exchange file. It lives
// beside the snapshot writer so that both the save sequence and the preview scene, which sit on
// the same level, can name it; without a taker a save writes no pictures.
#include <string>
#include <string_view>

namespace marquill::image {

struct SnapshotPaths {
    std::string head;
    std::string body;
};

inline constexpr std::string_view kHeadSuffix = "head.jpg";
inline constexpr std::string_view kBodySuffix = "body.jpg";

// Where a save with base path B puts its pictures.
[[nodiscard]] inline SnapshotPaths snapshotPathsFor(const std::string& basePath) {
    return {basePath + std::string(kHeadSuffix), basePath + std::string(kBodySuffix)};
}

class SnapshotTaker {
  public:
    virtual ~SnapshotTaker() = default;
    // Writes the two pictures; returns how many were written.
    [[nodiscard]] virtual int takeSnapshots(const SnapshotPaths& paths) = 0;
};

}  // namespace marquill::image
