#pragma once
// The snapshot stage of a save: a head and a body picture beside the exchange file. It lives
// beside the snapshot writer so that both the save sequence and the preview scene, which sit on
// the same level, can name it; without a taker a save writes no pictures.
#include <string>

namespace marquill::image {

class SnapshotTaker {
  public:
    virtual ~SnapshotTaker() = default;
    // Writes basePath + "head.jpg" and basePath + "body.jpg"; returns how many were written.
    [[nodiscard]] virtual int takeSnapshots(const std::string& basePath) = 0;
};

}  // namespace marquill::image
