#pragma once
// An ordered list of screen rectangles to clear or copy. Adding keeps the list free of contained
// rectangles and aligns horizontal edges to 4 pixels; merging trades overlap against count by
// the score "area in pixels + 10000 per rectangle", and never uncovers what was covered.
#include <cstdint>
#include <vector>

#include "platform/soft3d/PixelFormat.h"

namespace marquill::render {

using Rect = platform::soft3d::Rect;

class UpdateRectList {
  public:
    void add(Rect r);
    void merge();
    // Intersects every rectangle with `bounds`, drops the empty ones, then merges.
    void clip(const Rect& bounds);
    void clear();
    void addAll(const UpdateRectList& other);

    [[nodiscard]] const std::vector<Rect>& rects() const { return rects_; }
    [[nodiscard]] bool empty() const { return rects_.empty(); }
    [[nodiscard]] bool merged() const { return merged_; }
    // With the switch off, adding does nothing.
    void setEnabled(bool on) { enabled_ = on; }
    [[nodiscard]] bool enabled() const { return enabled_; }

    [[nodiscard]] static bool overlaps(const Rect& a, const Rect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    }
    [[nodiscard]] static bool contains(const Rect& outer, const Rect& inner) {
        return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
               outer.bottom >= inner.bottom;
    }

  private:
    // Resolves one pair; true when the list changed.
    bool resolvePair(size_t first, size_t second);

    std::vector<Rect> rects_;
    bool merged_ = false;
    int addedSinceMerge_ = 0;
    bool enabled_ = true;
};

}  // namespace marquill::render
