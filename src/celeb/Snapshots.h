#pragma once
// The snapshot stage of a save: a head and a body picture beside the exchange file. The preview
// renderer supplies the implementation; without one a save writes no pictures.
#include <string>

namespace marquill::celeb {

class SnapshotTaker {
  public:
    virtual ~SnapshotTaker() = default;
    // Writes basePath + "head.jpg" and basePath + "body.jpg"; returns how many were written.
    [[nodiscard]] virtual int takeSnapshots(const std::string& basePath) = 0;
};

}  // namespace marquill::celeb
