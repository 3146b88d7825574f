#pragma once
// Procedural paintings for the demo's body, head and hand textures, laid out as DemoFigure maps
// them. Colours are bold so that skin tone, clothes and face read at preview size.
#include "content/BmpWriter.h"
#include "content/DemoFigure.h"

namespace marquill::content::demo {

enum class Skin { Light, Medium, Dark };
[[nodiscard]] const char* skinCode(Skin skin);  // "lgt", "med", "drk"

enum class TopStyle { Tee, LongSleeves, Suit, Tank, Dress, Crop };
enum class BottomStyle { Trousers, Shorts, Skirt };

struct BodyStyle {
    TopStyle top = TopStyle::Tee;
    BottomStyle bottom = BottomStyle::Trousers;
    Rgb topColour{40, 90, 170};
    Rgb accent{230, 230, 230};
    Rgb bottomColour{50, 50, 60};
    Rgb shoeColour{60, 40, 30};
    bool stripes = false;
};

struct HeadStyle {
    HairStyle hair = HairStyle::Short;
    Rgb hairColour{60, 40, 25};
    Rgb eyeColour{70, 110, 60};
    bool beard = false;
    bool lipstick = false;
    Rgb hatColour{150, 100, 50};
};

[[nodiscard]] IndexedImage paintBody(const BodyStyle& style, Skin skin);
[[nodiscard]] RgbImage paintHead(const HeadStyle& style, Skin skin);
[[nodiscard]] IndexedImage paintHands(Skin skin);

}  // namespace marquill::content::demo
