#pragma once
// The tool's sounds, synthesised: short percussive cues, a start-up tune and a handful of
// wordless voices made by a small source-filter voice model (a pulse train or breath noise
// shaped by formant resonators).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::assets {

inline constexpr int kSampleRate = 22050;

using Samples = std::vector<float>;  // mono, -1 .. 1

[[nodiscard]] Samples makeClick();
[[nodiscard]] Samples makeDenied();
[[nodiscard]] Samples makeStartupTune();

// One voiced or breathy sound: pitch and the first three formants follow piecewise-linear
// contours over the sound's length; `breath` mixes noise into the glottal source (0 voiced,
// 1 whispered).
struct VoicePoint {
    float time;  // seconds
    float pitch;
    float f1, f2, f3;
    float amplitude;
    float breath;
};
[[nodiscard]] Samples makeVoice(const std::vector<VoicePoint>& contour, uint32_t noiseSeed);

// The idle voices and greetings by resource name, for a male or female speaker.
struct NamedSound {
    std::string name;
    Samples samples;
};
[[nodiscard]] std::vector<NamedSound> makeAllSounds();

// A 16-bit PCM mono WAVE file.
void writeWave(const Samples& samples, platform::ByteSink& sink);

}  // namespace marquill::assets
