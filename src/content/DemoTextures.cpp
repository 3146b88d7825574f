#include "content/DemoTextures.h"

#include <algorithm>
#include <cmath>

namespace marquill::content::demo {
namespace {

Rgb skinColour(Skin s) {
    switch (s) {
        case Skin::Light:
            return {238, 196, 166};
        case Skin::Medium:
            return {192, 136, 96};
        case Skin::Dark:
            return {108, 70, 46};
    }
    return {};
}

Rgb scale(Rgb c, float k) {
    auto ch = [k](uint8_t v) {
        return static_cast<uint8_t>(std::clamp(static_cast<float>(v) * k, 0.0f, 255.0f));
    };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

Rgb mix(Rgb a, Rgb b, float t) {
    auto ch = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::clamp(x + (y - x) * t, 0.0f, 255.0f));
    };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

// A cheap repeatable noise in [0, 1).
float hash(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65536.0f;
}

// Eight-bit pictures: 16 materials with 16 shades each.
enum Material : uint8_t { kSkin, kTop, kAccent, kBottom, kShoe, kBelt, kSole, kNail, kLace };

class Palette {
  public:
    void set(Material m, Rgb base) { base_[m] = base; }
    [[nodiscard]] std::vector<Rgb> colours() const {
        std::vector<Rgb> out;
        for (const Rgb& b : base_)
            for (int k = 0; k < 16; ++k)
                out.push_back(scale(b, 0.55f + 0.6f * static_cast<float>(k) / 15.0f));
        return out;
    }
    static uint8_t index(Material m, float shade) {
        int k = std::clamp(static_cast<int>(shade * 15.0f + 0.5f), 0, 15);
        return static_cast<uint8_t>(m * 16 + k);
    }

  private:
    std::array<Rgb, 16> base_{};
};

// Light from the front and above: the back of a tube (u near 0 or 1) is darker.
float tubeShade(float s, float t) {
    const float facing = 0.5f + 0.5f * std::cos((s - 0.5f) * 2 * kPi);
    return 0.45f + 0.35f * facing + 0.08f * (1 - t);
}

}  // namespace

const char* skinCode(Skin skin) {
    switch (skin) {
        case Skin::Light:
            return "lgt";
        case Skin::Medium:
            return "med";
        case Skin::Dark:
            return "drk";
    }
    return "med";
}

IndexedImage paintBody(const BodyStyle& style, Skin skin) {
    IndexedImage img;
    img.width = 128;
    img.height = 256;
    Palette pal;
    pal.set(kSkin, skinColour(skin));
    pal.set(kTop, style.topColour);
    pal.set(kAccent, style.accent);
    pal.set(kBottom, style.bottomColour);
    pal.set(kShoe, style.shoeColour);
    pal.set(kBelt, scale(style.bottomColour, 0.45f));
    pal.set(kSole, {40, 36, 34});
    pal.set(kLace, {220, 220, 210});
    img.palette = pal.colours();
    img.pixels.resize(size_t(img.width) * size_t(img.height));
    const bool dress = style.top == TopStyle::Dress;
    for (int py = 0; py < img.height; ++py) {
        for (int px = 0; px < img.width; ++px) {
            const float u = (static_cast<float>(px) + 0.5f) / static_cast<float>(img.width);
            const float v = (static_cast<float>(py) + 0.5f) / static_cast<float>(img.height);
            const float grain = (hash(px, py) - 0.5f) * 0.06f;
            Material m = kSkin;
            float shade = 0.7f;
            if (v < layout::kTorso.v1) {
                const float s = u, t = v / layout::kTorso.v1;
                const float fromFront = std::fabs(s - 0.5f);
                shade = tubeShade(s, t);
                if (t < layout::kNeckEnd) {
                    m = kSkin;
                    shade -= 0.12f * (1 - t / layout::kNeckEnd);  // under the chin
                } else {
                    const float below = t - layout::kNeckEnd;
                    bool neckline = below < 0.025f;
                    if (style.top == TopStyle::Suit || style.top == TopStyle::Dress ||
                        style.top == TopStyle::Crop)
                        neckline = neckline || fromFront < 0.1f - below * 0.6f;
                    if (style.top == TopStyle::Tank)
                        neckline = neckline || (below < 0.12f && fromFront < 0.13f);
                    const bool lower = t > layout::kWaist;
                    if (neckline) {
                        m = kSkin;
                    } else if (!lower || dress) {
                        m = kTop;
                        if (style.top == TopStyle::Crop && t > layout::kWaist - 0.1f) m = kSkin;
                        if (style.stripes && static_cast<int>(t * 40) % 3 == 0) m = kAccent;
                        if (style.top == TopStyle::Suit) {
                            // White shirt in a V, a tie down its middle, lapels beside it.
                            const float vWidth = 0.12f - below * 0.2f;
                            if (fromFront < vWidth)
                                m = fromFront < 0.018f ? kBelt : kAccent;
                            else if (fromFront < vWidth + 0.02f)
                                shade -= 0.2f;
                            if (fromFront < 0.006f && !(fromFront < vWidth)) m = kBelt;
                        } else if (style.top == TopStyle::Tee ||
                                   style.top == TopStyle::LongSleeves) {
                            if (below < 0.045f) m = kAccent;  // collar band
                        }
                        if (dress && t > layout::kWaist - 0.03f && t < layout::kWaist) m = kAccent;
                    } else if (t < layout::kWaist + 0.045f) {
                        m = kBelt;
                        if (fromFront < 0.03f) m = kLace;  // buckle
                    } else {
                        m = kBottom;
                        if (fromFront < 0.006f && t < 0.9f) shade -= 0.25f;  // fly seam
                    }
                }
            } else if (v < layout::kLeftArm.v1) {
                const float s = u < 0.5f ? u * 2 : (u - 0.5f) * 2;
                const float t =
                    (v - layout::kLeftArm.v0) / (layout::kLeftArm.v1 - layout::kLeftArm.v0);
                shade = tubeShade(s, t);
                float sleeve = 0.32f;
                if (style.top == TopStyle::LongSleeves || style.top == TopStyle::Suit)
                    sleeve = 0.97f;
                if (style.top == TopStyle::Tank || style.top == TopStyle::Dress) sleeve = 0.06f;
                if (style.top == TopStyle::Crop) sleeve = 0.0f;
                m = t < sleeve ? kTop : kSkin;
                if (t < sleeve && t > sleeve - 0.04f) m = kAccent;  // cuff
                if (m == kTop && style.stripes && static_cast<int>(t * 18) % 3 == 0) m = kAccent;
                if (style.top == TopStyle::Suit && t > sleeve - 0.04f && t < sleeve) m = kAccent;
            } else if (v < layout::kLeftLeg.v1) {
                const float s = u < 0.5f ? u * 2 : (u - 0.5f) * 2;
                const float t =
                    (v - layout::kLeftLeg.v0) / (layout::kLeftLeg.v1 - layout::kLeftLeg.v0);
                shade = tubeShade(s, t);
                float cover = 1.0f;
                Material cloth = kBottom;
                if (style.bottom == BottomStyle::Shorts) cover = 0.38f;
                if (style.bottom == BottomStyle::Skirt || dress) {
                    cover = 0.35f;
                    cloth = dress ? kTop : kBottom;
                }
                m = t < cover ? cloth : kSkin;
                if (m == kSkin && t > 0.9f) m = kLace;  // socks above the shoe
                if (m == cloth && cover == 1.0f) {
                    // A crease down the front and a darker hem.
                    if (std::fabs(s - 0.5f) < 0.012f) shade -= 0.12f;
                    if (t > 0.95f) shade -= 0.15f;
                }
            } else {
                const float s = u < 0.5f ? u * 2 : (u - 0.5f) * 2;
                const float t =
                    (v - layout::kLeftFoot.v0) / (layout::kLeftFoot.v1 - layout::kLeftFoot.v0);
                // u = 0.5 is the top of the shoe, the ends the sole.
                const float top = 1 - std::fabs(s - 0.5f) * 2;
                m = top < 0.25f ? kSole : kShoe;
                shade = 0.4f + 0.5f * top;
                if (m == kShoe && top > 0.85f && t > 0.3f && t < 0.6f &&
                    static_cast<int>(t * 30) % 3 == 0)
                    m = kLace;
            }
            img.pixels[size_t(py) * size_t(img.width) + size_t(px)] =
                Palette::index(m, shade + grain);
        }
    }
    return img;
}

RgbImage paintHead(const HeadStyle& style, Skin skin) {
    RgbImage img;
    img.width = 128;
    img.height = 128;
    img.pixels.resize(size_t(img.width) * size_t(img.height));
    const Rgb base = skinColour(skin);
    const Rgb lips = style.lipstick ? Rgb{190, 30, 60} : mix(base, Rgb{150, 60, 60}, 0.45f);
    const Rgb dark{25, 18, 16};
    for (int py = 0; py < img.height; ++py) {
        for (int px = 0; px < img.width; ++px) {
            const float u = (static_cast<float>(px) + 0.5f) / static_cast<float>(img.width);
            const float v = (static_cast<float>(py) + 0.5f) / static_cast<float>(img.height);
            const float du = u - 0.5f;  // 0 in the middle of the face
            const float adu = std::fabs(du);
            const float angle = du * 2 * kPi;
            const float back = -std::cos(angle);
            const float facing = 0.5f + 0.5f * std::cos(angle);
            Rgb c = scale(base, 0.72f + 0.3f * facing - 0.12f * std::max(0.0f, v - 0.75f) * 4);

            // Cheeks, nose ridge and the shadow under the nose.
            if (style.lipstick)
                c = mix(c, Rgb{220, 110, 120},
                        0.18f * std::exp(-std::pow((adu - 0.07f) / 0.03f, 2) -
                                         std::pow((v - 0.62f) / 0.05f, 2)));
            if (adu < 0.012f && v > 0.53f && v < 0.63f) c = scale(c, 1.07f);
            if (adu < 0.03f && v > 0.63f && v < 0.65f) c = scale(c, 0.8f);
            // Ears.
            const float ear = std::hypot((adu - 0.25f) / 0.04f, (v - 0.53f) / 0.08f);
            if (ear < 1.0f) c = scale(c, ear > 0.6f ? 0.85f : 0.95f);

            // Eyes: white, coloured iris, pupil, lid line above; brows.
            const float ex = adu - 0.068f, ey = v - layout::kEyeRow;
            const float eye = std::hypot(ex / 0.034f, ey / 0.024f);
            if (eye < 1.0f) {
                c = {235, 235, 230};
                const float iris = std::hypot(ex / 0.017f, ey / 0.02f);
                if (iris < 1.0f) c = iris < 0.45f ? dark : style.eyeColour;
                if (ey < -0.014f) c = dark;
            } else if (eye < 1.25f && ey < 0) {
                c = scale(c, 0.6f);
            }
            const float arch = 0.438f - 0.012f * (1 - std::pow(ex / 0.045f, 2.0f));
            if (ex > -0.04f && ex < 0.045f && v > arch && v < arch + 0.022f)
                c = mix(c, style.hairColour, 0.9f);

            // Mouth.
            const float mouthY = v - layout::kMouthRow;
            if (adu < 0.055f - 120 * mouthY * mouthY && mouthY > -0.016f && mouthY < 0.022f) {
                c = std::fabs(mouthY) < 0.004f ? scale(lips, 0.45f) : lips;
            }

            // Hair above the hairline, which drops towards the back.
            float line = 0.3f;
            switch (style.hair) {
                case HairStyle::Bald:
                    line = -1;
                    break;
                case HairStyle::Cropped:
                    line = 0.3f + 0.25f * (back + 1) / 2;
                    break;
                case HairStyle::Short:
                    line = 0.3f + 0.32f * (back + 1) / 2;
                    break;
                case HairStyle::Curly:
                    line = 0.27f + 0.4f * (back + 1) / 2;
                    break;
                case HairStyle::Bob:
                    line = 0.3f + 0.45f * (back + 1) / 2;
                    break;
                case HairStyle::Long:
                case HairStyle::Pony:
                    line = 0.29f + 0.5f * (back + 1) / 2;
                    break;
                case HairStyle::Hat:
                    line = 0.34f;
                    break;
            }
            if (style.hair == HairStyle::Bob || style.hair == HairStyle::Long) {
                // A fringe over the forehead and hair down the sides of the face.
                if (adu > 0.13f) line = std::max(line, 0.75f);
                if (adu < 0.13f) line = std::max(line, 0.36f);
            }
            if (v < line) {
                const float strand = hash(px, py / 3) * 0.25f + 0.85f;
                Rgb h = scale(style.hairColour, strand * (0.8f + 0.3f * facing));
                if (style.hair == HairStyle::Curly)
                    h = scale(h, 0.85f + 0.3f * std::sin(px * 1.3f) * std::sin(py * 1.7f));
                if (style.hair == HairStyle::Hat) {
                    h = scale(style.hatColour, 0.8f + 0.3f * facing);
                    if (v > 0.25f && v < line) h = scale(style.hatColour, 0.45f);  // hat band
                }
                c = h;
            } else if (style.beard && v > 0.6f && adu < 0.24f &&
                       !(adu < 0.05f && std::fabs(v - layout::kMouthRow) < 0.025f) &&
                       !(v < 0.66f && adu < 0.12f)) {
                c = scale(style.hairColour, 0.8f + 0.25f * hash(px, py));
            }
            img.pixels[size_t(py) * size_t(img.width) + size_t(px)] = c;
        }
    }
    return img;
}

IndexedImage paintHands(Skin skin) {
    IndexedImage img;
    img.width = 32;
    img.height = 32;
    Palette pal;
    pal.set(kSkin, skinColour(skin));
    pal.set(kNail, mix(skinColour(skin), Rgb{250, 220, 220}, 0.6f));
    img.palette = pal.colours();
    img.pixels.resize(32 * 32);
    for (int py = 0; py < 32; ++py) {
        for (int px = 0; px < 32; ++px) {
            const float u = (px + 0.5f) / 32, v = (py + 0.5f) / 32;
            Material m = kSkin;
            float shade = 0.55f + 0.35f * (0.5f + 0.5f * std::cos((u - 0.5f) * 2 * kPi));
            // Knuckle lines and nails at the finger ends.
            if (v > 0.55f && v < 0.8f && px % 8 == 0) shade -= 0.2f;
            if (v > 0.74f && v < 0.8f && std::fabs(u - 0.75f) < 0.15f) m = kNail;
            img.pixels[size_t(py) * 32 + size_t(px)] = Palette::index(m, shade);
        }
    }
    return img;
}

}  // namespace marquill::content::demo
