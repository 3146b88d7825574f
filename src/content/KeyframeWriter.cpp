#include "content/KeyframeWriter.h"

#include <cmath>
#include <vector>

#include "character/KeyframeReader.h"

namespace marquill::content {
namespace {

// The nearest delta code to `step`, by binary search over the rising table.
int nearestCode(float step) {
    int lo = 0, hi = character::kCfpDeltaCodes - 1;
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        if (character::cfpDelta(mid) <= step)
            lo = mid;
        else
            hi = mid;
    }
    return std::fabs(character::cfpDelta(lo) - step) <= std::fabs(character::cfpDelta(hi) - step)
               ? lo
               : hi;
}

}  // namespace

bool writeCfp(std::span<const float> translations, std::span<const float> rotations,
              platform::ByteSink& out) {
    if (translations.size() % 3 || rotations.size() % 4) return false;
    std::vector<float> flat;
    flat.reserve(translations.size() + rotations.size());
    for (int s = 0; s < 3; ++s)
        for (size_t i = s; i < translations.size(); i += 3)
            flat.push_back(translations[i]);
    for (int s = 0; s < 4; ++s)
        for (size_t i = s; i < rotations.size(); i += 4)
            flat.push_back(rotations[i]);

    // `previous` follows the decoder exactly, so errors never add up.
    float previous = 0;
    for (size_t i = 0; i < flat.size();) {
        const float v = flat[i];
        if (v == previous) {
            size_t run = 1;
            while (i + run < flat.size() && flat[i + run] == previous && run <= 65535)
                ++run;
            out.u8(character::kCfpRepeat);
            out.u16le(static_cast<uint16_t>(run - 1));
            i += run;
            continue;
        }
        const int code = nearestCode(v - previous);
        const float decoded = previous + character::cfpDelta(code);
        if (std::fabs(decoded - v) <= kCfpTolerance) {
            out.u8(static_cast<uint8_t>(code));
            previous = decoded;
        } else {
            out.u8(character::kCfpRaw);
            out.f32le(v);
            previous = v;
        }
        ++i;
    }
    return !out.failed();
}

bool writeBin(std::span<const float> translations, std::span<const float> rotations,
              platform::ByteSink& out) {
    if (translations.size() % 3 || rotations.size() % 4) return false;
    for (float v : translations)
        out.f32le(v);
    for (float v : rotations)
        out.f32le(v);
    return !out.failed();
}

}  // namespace marquill::content
