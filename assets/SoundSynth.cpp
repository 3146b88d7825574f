#include "SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace marquill::assets {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDt = 1.0f / kSampleRate;

size_t samplesFor(float seconds) {
    return static_cast<size_t>(seconds * kSampleRate);
}

void normalise(Samples& s, float peak) {
    float most = 0;
    for (float v : s)
        most = std::max(most, std::fabs(v));
    if (most <= 0) return;
    for (float& v : s)
        v *= peak / most;
}

// Two-pole resonator with unity gain at its centre frequency.
class Resonator {
  public:
    void tune(float frequency, float bandwidth) {
        float c = -std::exp(-2 * kPi * bandwidth * kDt);
        float b = 2 * std::exp(-kPi * bandwidth * kDt) * std::cos(2 * kPi * frequency * kDt);
        a_ = 1 - b - c;
        b_ = b;
        c_ = c;
    }
    float step(float x) {
        float y = a_ * x + b_ * y1_ + c_ * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

  private:
    float a_ = 1, b_ = 0, c_ = 0, y1_ = 0, y2_ = 0;
};

float smoothEdge(float t, float length, float attack, float release) {
    if (t < attack) return 0.5f - 0.5f * std::cos(kPi * t / attack);
    if (t > length - release)
        return 0.5f - 0.5f * std::cos(kPi * std::max(0.0f, length - t) / release);
    return 1;
}

// A bell-like note: frequency modulation whose index falls as the note decays.
void addBell(Samples& out, float start, float frequency, float length, float gain) {
    size_t first = samplesFor(start);
    size_t count = samplesFor(length);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = i * kDt;
        float decay = std::exp(-t * 3.2f / length);
        float index = 2.2f * std::exp(-t * 6.0f);
        float mod = std::sin(2 * kPi * frequency * 3.5f * t) * index;
        float v = std::sin(2 * kPi * frequency * t + mod) * decay;
        v += 0.3f * std::sin(2 * kPi * frequency * 2 * t) * decay * decay;
        out[first + i] += v * gain * smoothEdge(t, length, 0.004f, 0.05f);
    }
}

// A soft sustained chord tone: a few detuned sines with a slow swell.
void addPad(Samples& out, float start, float frequency, float length, float gain) {
    size_t first = samplesFor(start);
    size_t count = samplesFor(length);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = i * kDt;
        float v = std::sin(2 * kPi * frequency * t) +
                  0.5f * std::sin(2 * kPi * frequency * 1.003f * t) +
                  0.25f * std::sin(2 * kPi * frequency * 2.001f * t);
        out[first + i] += v * gain * smoothEdge(t, length, 0.25f, 0.6f);
    }
}

float noteFrequency(int midi) {
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

VoicePoint interpolate(const std::vector<VoicePoint>& c, float t) {
    if (t <= c.front().time) return c.front();
    for (size_t i = 1; i < c.size(); ++i) {
        if (t <= c[i].time) {
            const VoicePoint& a = c[i - 1];
            const VoicePoint& b = c[i];
            float f = (t - a.time) / std::max(1e-6f, b.time - a.time);
            auto mix = [f](float x, float y) { return x + (y - x) * f; };
            return {t,
                    mix(a.pitch, b.pitch),
                    mix(a.f1, b.f1),
                    mix(a.f2, b.f2),
                    mix(a.f3, b.f3),
                    mix(a.amplitude, b.amplitude),
                    mix(a.breath, b.breath)};
        }
    }
    return c.back();
}

// Scales a male contour into a female one: higher pitch, shorter vocal tract.
std::vector<VoicePoint> female(std::vector<VoicePoint> c, float pitchScale) {
    for (VoicePoint& p : c) {
        p.pitch *= pitchScale;
        p.f1 *= 1.12f;
        p.f2 *= 1.15f;
        p.f3 *= 1.12f;
    }
    return c;
}

}  // namespace

Samples makeClick() {
    Samples s(samplesFor(0.045f));
    std::minstd_rand noise(7);
    std::uniform_real_distribution<float> n(-1, 1);
    Resonator body;
    body.tune(1900, 400);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * kDt;
        float tick = std::sin(2 * kPi * 2600 * t) * std::exp(-t / 0.003f);
        float tock = std::sin(2 * kPi * 1150 * t) * std::exp(-t / 0.009f) * 0.8f;
        float burst = body.step(n(noise) * std::exp(-t / 0.002f)) * 2.5f;
        s[i] = tick + tock + burst;
    }
    normalise(s, 0.7f);
    return s;
}

Samples makeDenied() {
    Samples s(samplesFor(0.34f));
    const float tones[2] = {311.1f, 233.1f};
    for (int k = 0; k < 2; ++k) {
        float start = k * 0.16f;
        size_t first = samplesFor(start);
        size_t count = samplesFor(0.15f);
        Resonator soften;
        soften.tune(900, 1400);
        for (size_t i = 0; i < count && first + i < s.size(); ++i) {
            float t = i * kDt;
            float phase = std::fmod(tones[k] * t, 1.0f);
            float square = phase < 0.5f ? 1.0f : -1.0f;
            float v = soften.step(square) * smoothEdge(t, 0.15f, 0.006f, 0.04f);
            s[first + i] += v;
        }
    }
    normalise(s, 0.6f);
    return s;
}

Samples makeStartupTune() {
    Samples s(samplesFor(5.2f));
    const float beat = 0.19f;
    // A rising fanfare that settles on the tonic: (midi note, start in beats, length in beats).
    const struct {
        int note;
        float at, length;
    } melody[] = {{72, 0, 1},  {76, 1, 1},  {79, 2, 1},  {84, 3, 2},  {83, 5, 1},
                  {81, 6, 1},  {79, 7, 2},  {76, 9, 1},  {77, 10, 1}, {79, 11, 1},
                  {81, 12, 1}, {83, 13, 1}, {84, 14, 6}, {79, 14, 6}, {76, 14.5f, 6}};
    for (const auto& m : melody)
        addBell(s, m.at * beat, noteFrequency(m.note), std::max(0.35f, m.length * beat * 1.6f),
                0.32f);
    const struct {
        int note;
        float at, length;
    } pads[] = {{48, 0, 7},   {55, 0, 7},   {52, 7, 7},  {53, 7, 7},
                {48, 14, 13}, {55, 14, 13}, {60, 14, 13}};
    for (const auto& p : pads)
        addPad(s, p.at * beat, noteFrequency(p.note), p.length * beat, 0.07f);
    normalise(s, 0.75f);
    return s;
}

Samples makeVoice(const std::vector<VoicePoint>& contour, uint32_t noiseSeed) {
    float length = contour.back().time;
    Samples s(samplesFor(length));
    std::minstd_rand rng(noiseSeed);
    std::uniform_real_distribution<float> noise(-1, 1);
    Resonator r1, r2, r3;
    float phase = 0;
    float previousPulse = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * kDt;
        VoicePoint p = interpolate(contour, t);
        // A little vibrato keeps the pulse train from sounding mechanical.
        float pitch = p.pitch * (1 + 0.012f * std::sin(2 * kPi * 5.5f * t));
        phase += pitch * kDt;
        if (phase >= 1) phase -= 1;
        float open = phase < 0.6f ? std::sin(kPi * phase / 0.6f) : 0.0f;
        float pulse = open * open;
        float glottal = (pulse - previousPulse) * 12;
        previousPulse = pulse;
        float source = glottal * (1 - p.breath) + noise(rng) * p.breath * 0.35f;
        r1.tune(p.f1, 70 + p.f1 * 0.08f);
        r2.tune(p.f2, 90 + p.f2 * 0.05f);
        r3.tune(p.f3, 150);
        float v = r3.step(r2.step(r1.step(source)));
        s[i] = v * p.amplitude * smoothEdge(t, length, 0.015f, 0.06f);
    }
    normalise(s, 0.8f);
    return s;
}

std::vector<NamedSound> makeAllSounds() {
    // "Hey, you!": breathy onset, the ey glide, then a falling "you".
    const std::vector<VoicePoint> hey = {
        {0.00f, 130, 520, 1800, 2500, 0.3f, 1.0f},  {0.07f, 135, 530, 1850, 2550, 0.8f, 0.6f},
        {0.12f, 165, 540, 1900, 2550, 1.0f, 0.05f}, {0.30f, 175, 400, 2250, 2850, 1.0f, 0.05f},
        {0.38f, 150, 330, 2200, 2800, 0.6f, 0.05f}, {0.46f, 150, 300, 2100, 2700, 0.9f, 0.05f},
        {0.62f, 125, 320, 950, 2300, 1.0f, 0.05f},  {0.82f, 100, 330, 850, 2250, 0.7f, 0.1f},
        {0.92f, 95, 330, 850, 2250, 0.0f, 0.3f}};
    // A sigh: a quiet breath in, then a long, falling "haah" out.
    const std::vector<VoicePoint> sigh = {
        {0.00f, 110, 300, 2200, 2900, 0.0f, 1.0f},  {0.20f, 110, 300, 2200, 2900, 0.35f, 1.0f},
        {0.40f, 110, 320, 2100, 2800, 0.1f, 1.0f},  {0.50f, 125, 750, 1250, 2500, 0.7f, 0.85f},
        {0.70f, 118, 760, 1220, 2500, 1.0f, 0.55f}, {1.10f, 92, 720, 1180, 2450, 0.7f, 0.6f},
        {1.45f, 80, 700, 1150, 2400, 0.0f, 0.9f}};
    // "Huh?": a short breathy onset, a neutral vowel, and a questioning rise.
    const std::vector<VoicePoint> huh = {{0.00f, 110, 600, 1300, 2500, 0.4f, 1.0f},
                                         {0.06f, 112, 610, 1300, 2500, 0.9f, 0.4f},
                                         {0.10f, 115, 620, 1320, 2500, 1.0f, 0.08f},
                                         {0.32f, 185, 640, 1350, 2550, 1.0f, 0.08f},
                                         {0.42f, 200, 640, 1350, 2550, 0.0f, 0.3f}};
    // "Hmm": a closed-mouth murmur that dips and rises at the end.
    const std::vector<VoicePoint> hmm = {{0.00f, 120, 260, 1100, 2100, 0.0f, 0.2f},
                                         {0.08f, 122, 250, 1050, 2100, 0.8f, 0.05f},
                                         {0.40f, 105, 250, 1000, 2050, 1.0f, 0.05f},
                                         {0.70f, 118, 250, 1000, 2050, 0.9f, 0.05f},
                                         {0.85f, 140, 260, 1050, 2100, 0.0f, 0.1f}};
    std::vector<VoicePoint> huhHigh = huh;
    for (VoicePoint& p : huhHigh)
        p.time *= 1.3f;
    huhHigh[3].pitch = 210;
    huhHigh[4].pitch = 230;

    std::vector<NamedSound> all;
    all.push_back({"CLICK", makeClick()});
    all.push_back({"DENIED", makeDenied()});
    all.push_back({"PEMMS", makeStartupTune()});
    all.push_back({"VOX_HEYSHM2", makeVoice(hey, 11)});
    all.push_back({"VOX_HEYSHF2", makeVoice(female(hey, 1.75f), 12)});
    all.push_back({"VOX_BORED_SIGHM1", makeVoice(sigh, 13)});
    all.push_back({"VOX_INDIFFERENT_HUHM1", makeVoice(huh, 14)});
    all.push_back({"VOX_INTRIGUED_HMMM1", makeVoice(hmm, 15)});
    all.push_back({"VOX_BORED_SIGHF4", makeVoice(female(sigh, 1.8f), 16)});
    all.push_back({"VOX_INDIFFERENT_HUHF2", makeVoice(female(huh, 1.7f), 17)});
    all.push_back({"VOX_INDIFFERENT_HUHF3", makeVoice(female(huhHigh, 1.6f), 18)});
    return all;
}

void writeWave(const Samples& samples, platform::ByteSink& sink) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    sink.text("RIFF");
    sink.u32le(36 + dataBytes);
    sink.text("WAVEfmt ");
    sink.u32le(16);
    sink.u16le(1);  // PCM
    sink.u16le(1);  // mono
    sink.u32le(kSampleRate);
    sink.u32le(kSampleRate * 2);
    sink.u16le(2);
    sink.u16le(16);
    sink.text("data");
    sink.u32le(dataBytes);
    for (float v : samples)
        sink.i16le(static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)));
}

}  // namespace marquill::assets
