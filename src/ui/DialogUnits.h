#pragma once
// The dialog templates are drawn in dialog units; on this host one unit is two pixels both ways,
// the metrics the preview's camera pan and the snapshot regions were drawn for.
#include <QRect>

namespace marquill::ui {

inline constexpr int kPixelsPerUnit = 2;

[[nodiscard]] constexpr int unitsToPixels(int units) {
    return units * kPixelsPerUnit;
}

[[nodiscard]] inline QRect unitsToPixels(int x, int y, int w, int h) {
    return {unitsToPixels(x), unitsToPixels(y), unitsToPixels(w), unitsToPixels(h)};
}

}  // namespace marquill::ui
