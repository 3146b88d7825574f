#include "render/UpdateRectList.h"

#include <algorithm>

namespace marquill::render {
namespace {

int32_t floor4(int32_t v) {
    return v >= 0 ? v & ~3 : -((-v + 3) & ~3);
}
int32_t ceil4(int32_t v) {
    return -floor4(-v);
}

double area(const Rect& r) {
    return r.empty() ? 0.0 : double(r.width()) * double(r.height());
}

double score(const std::vector<Rect>& rs) {
    double s = 0;
    for (const Rect& r : rs)
        s += area(r) + 10000.0;
    return s;
}

// The part of b outside a, as horizontal bands: rows above and below a, then the left and right
// parts of the rows a spans.
std::vector<Rect> bandsOutside(const Rect& a, const Rect& b) {
    std::vector<Rect> out;
    const Rect top{b.left, b.top, b.right, std::min(b.bottom, a.top)};
    const Rect bottom{b.left, std::max(b.top, a.bottom), b.right, b.bottom};
    const int32_t midTop = std::max(b.top, a.top), midBottom = std::min(b.bottom, a.bottom);
    const Rect left{b.left, midTop, std::min(b.right, a.left), midBottom};
    const Rect right{std::max(b.left, a.right), midTop, b.right, midBottom};
    for (const Rect& r : {top, bottom, left, right}) {
        if (!r.empty()) out.push_back(r);
    }
    return out;
}

// The same as vertical bands: columns left and right of a, then above and below within them.
std::vector<Rect> columnsOutside(const Rect& a, const Rect& b) {
    std::vector<Rect> out;
    const Rect left{b.left, b.top, std::min(b.right, a.left), b.bottom};
    const Rect right{std::max(b.left, a.right), b.top, b.right, b.bottom};
    const int32_t midLeft = std::max(b.left, a.left), midRight = std::min(b.right, a.right);
    const Rect top{midLeft, b.top, midRight, std::min(b.bottom, a.top)};
    const Rect bottom{midLeft, std::max(b.top, a.bottom), midRight, b.bottom};
    for (const Rect& r : {left, right, top, bottom}) {
        if (!r.empty()) out.push_back(r);
    }
    return out;
}

constexpr int kMaxChanges = 4096;  // the merge always ends, even on adversarial lists

}  // namespace

void UpdateRectList::clear() {
    rects_.clear();
    merged_ = false;
    addedSinceMerge_ = 0;
}

void UpdateRectList::addAll(const UpdateRectList& other) {
    for (const Rect& r : other.rects_)
        add(r);
}

void UpdateRectList::add(Rect r) {
    if (!enabled_ || r.empty()) return;
    r.left = floor4(r.left);
    r.right = ceil4(r.right);
    for (const Rect& o : rects_) {
        if (contains(o, r)) return;
    }
    std::erase_if(rects_, [&](const Rect& o) { return contains(r, o); });
    rects_.push_back(r);
    merged_ = false;
    if (++addedSinceMerge_ > 8) {
        merge();
        addedSinceMerge_ = 0;
    }
}

void UpdateRectList::clip(const Rect& bounds) {
    for (Rect& r : rects_)
        r = r.intersect(bounds);
    std::erase_if(rects_, [](const Rect& r) { return r.empty(); });
    merged_ = false;
    merge();
}

bool UpdateRectList::resolvePair(size_t i, size_t j) {
    Rect& a = rects_[i];
    Rect& b = rects_[j];
    if (b.empty() || contains(a, b)) {
        rects_.erase(rects_.begin() + std::ptrdiff_t(j));
        return true;
    }
    if (a.empty() || contains(b, a)) {
        rects_.erase(rects_.begin() + std::ptrdiff_t(i));
        return true;
    }
    if (!overlaps(a, b)) return false;
    const bool bInAx = b.left >= a.left && b.right <= a.right;
    const bool bInAy = b.top >= a.top && b.bottom <= a.bottom;
    const bool aInBx = a.left >= b.left && a.right <= b.right;
    const bool aInBy = a.top >= b.top && a.bottom <= b.bottom;
    // Two corners of one inside the other: trim it to its part outside.
    if (bInAx) {
        if (b.top < a.top && b.bottom <= a.bottom) return b.bottom = a.top, true;
        if (b.bottom > a.bottom && b.top >= a.top) return b.top = a.bottom, true;
    }
    if (bInAy) {
        if (b.left < a.left && b.right <= a.right) return b.right = a.left, true;
        if (b.right > a.right && b.left >= a.left) return b.left = a.right, true;
    }
    if (aInBx) {
        if (a.top < b.top && a.bottom <= b.bottom) return a.bottom = b.top, true;
        if (a.bottom > b.bottom && a.top >= b.top) return a.top = b.bottom, true;
    }
    if (aInBy) {
        if (a.left < b.left && a.right <= b.right) return a.right = b.left, true;
        if (a.right > b.right && a.left >= b.left) return a.left = b.right, true;
    }
    if (bInAx || bInAy || aInBx || aInBy) return false;  // crossing bands: left as they are

    // One corner inside: choose the cheapest cover of the pair.
    const Rect first = a, second = b;
    const Rect box{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
    std::vector<std::vector<Rect>> candidates;
    candidates.push_back({box});
    std::vector<Rect> h = {first}, v = {first};
    for (const Rect& r : bandsOutside(first, second))
        h.push_back(r);
    for (const Rect& r : columnsOutside(first, second))
        v.push_back(r);
    candidates.push_back(h);
    candidates.push_back(v);
    // The first grown sideways over the rows it shares with the second, plus the second's rows
    // above or below it; and the same grown up or down.
    const Rect wide{box.left, first.top, box.right, first.bottom};
    std::vector<Rect> grownWide = {wide};
    for (const Rect& r : bandsOutside(wide, second))
        grownWide.push_back(r);
    candidates.push_back(grownWide);
    const Rect tall{first.left, box.top, first.right, box.bottom};
    std::vector<Rect> grownTall = {tall};
    for (const Rect& r : columnsOutside(tall, second))
        grownTall.push_back(r);
    candidates.push_back(grownTall);

    double best = 1e20;
    const std::vector<Rect>* chosen = nullptr;
    for (const auto& c : candidates) {
        const double s = score(c);
        if (s < best) best = s, chosen = &c;
    }
    if (chosen == nullptr || best >= 5e19) return false;
    const std::vector<Rect> replacement = *chosen;
    rects_.erase(rects_.begin() + std::ptrdiff_t(j));
    rects_[i] = replacement[0];
    rects_.insert(rects_.end(), replacement.begin() + 1, replacement.end());
    return true;
}

void UpdateRectList::merge() {
    if (rects_.size() < 2 || merged_) {
        merged_ = true;
        return;
    }
    int changes = 0;
    bool changed = true;
    while (changed && changes < kMaxChanges) {
        changed = false;
        for (size_t i = 0; i < rects_.size() && !changed; ++i) {
            for (size_t j = i + 1; j < rects_.size() && !changed; ++j) {
                changed = resolvePair(i, j);
            }
        }
        if (changed) ++changes;
    }
    merged_ = true;
}

}  // namespace marquill::render
