#include "character/KeyframeReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/ByteReader.h"

namespace marquill::character {
namespace {

std::array<float, kCfpDeltaCodes> makeDeltas() {
    std::array<float, kCfpDeltaCodes> d{};
    // c is single precision, the rest is worked in double and stored as float: that gives the
    // table's 0.10000005 at code 252.
    const double c = static_cast<double>(1.0f / 252.0f);
    for (int i = 0; i < kCfpDeltaCodes; ++i) {
        const double t = i * c * 2.0 - 1.0;
        const double t4 = t * t * t * t;
        d[static_cast<size_t>(i)] = static_cast<float>(0.1 * (t < 0 ? -1.0 : 1.0) * t4);
    }
    return d;
}

const std::array<float, kCfpDeltaCodes>& deltas() {
    static const auto table = makeDeltas();
    return table;
}

// Value i of stream s lands at out[i * width + s].
void scatter(const std::vector<float>& flat, size_t offset, int32_t count, int width,
             std::vector<float>& out) {
    out.resize(static_cast<size_t>(count) * static_cast<size_t>(width));
    for (int s = 0; s < width; ++s)
        for (int32_t i = 0; i < count; ++i)
            out[static_cast<size_t>(i) * width + s] =
                flat[offset + static_cast<size_t>(s) * count + static_cast<size_t>(i)];
}

}  // namespace

float cfpDelta(int code) {
    return deltas()[static_cast<size_t>(code)];
}

bool decodeCfp(std::span<const uint8_t> bytes, int32_t translationCount, int32_t rotationCount,
               Keyframes& out) {
    if (translationCount < 0 || rotationCount < 0) return false;
    const uint64_t total = uint64_t(translationCount) * 3 + uint64_t(rotationCount) * 4;
    // A repeat makes up to 65536 values of three bytes, so the counts alone bound the memory a
    // file can claim; they come from another file, so they are capped too.
    if (total > kMaxKeyframeValues || total > (uint64_t(bytes.size()) / 3 + 1) * 65536)
        return false;
    std::vector<float> flat;
    flat.reserve(static_cast<size_t>(std::min<uint64_t>(total, bytes.size())));
    platform::ByteReader r(bytes);
    float previous = 0;
    const auto& d = deltas();
    while (flat.size() < total) {
        auto code = r.u8();
        if (!code) return false;
        if (*code == kCfpRaw) {
            auto v = r.f32le();
            if (!v) return false;
            previous = *v;
            flat.push_back(previous);
        } else if (*code == kCfpRepeat) {
            auto repeat = r.u16le();
            if (!repeat || flat.size() + 1 + *repeat > total) return false;
            flat.insert(flat.end(), size_t{*repeat} + 1, previous);
        } else if (*code < kCfpDeltaCodes) {
            previous += d[*code];
            flat.push_back(previous);
        } else {
            return false;  // 253 means nothing
        }
    }
    scatter(flat, 0, translationCount, 3, out.translations);
    scatter(flat, size_t(translationCount) * 3, rotationCount, 4, out.rotations);
    return true;
}

bool decodeBin(std::span<const uint8_t> bytes, int32_t translationCount, int32_t rotationCount,
               Keyframes& out) {
    if (translationCount < 0 || rotationCount < 0) return false;
    const uint64_t values = uint64_t(translationCount) * 3 + uint64_t(rotationCount) * 4;
    if (values * 4 > bytes.size()) return false;
    platform::ByteReader r(bytes);
    out.translations.resize(size_t(translationCount) * 3);
    out.rotations.resize(size_t(rotationCount) * 4);
    for (float& v : out.translations)
        v = *r.f32le();  // sizes checked above
    for (float& v : out.rotations)
        v = *r.f32le();
    return true;
}

}  // namespace marquill::character
