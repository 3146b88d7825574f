// Writes bitmaps of every encoding the decoder reads, made with our own writer.
#include <cstdio>
#include <string>

#include "platform/ByteSink.h"
#include "render/BitmapWriter.h"

using namespace marquill::render;

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    BitmapImage indexed{7, 5, {}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}};
    for (int i = 0; i < 35; ++i)
        indexed.pixels.push_back(uint32_t((i * 3 + i / 7) % 4));
    // Long runs so the run-length encoder uses both runs and literals.
    BitmapImage runs{40, 3, std::vector<uint32_t>(120, 2), {0x101010, 0x202020, 0x303030}};
    runs.pixels[5] = 0, runs.pixels[6] = 1, runs.pixels[70] = 0;
    BitmapImage rgb{6, 4, {}, {}};
    for (int i = 0; i < 24; ++i)
        rgb.pixels.push_back(uint32_t(i) * 0x0A0B0C);
    struct Seed {
        const char* name;
        const BitmapImage& image;
        BitmapEncoding encoding;
        RowOrder order;
    };
    const Seed seeds[] = {
        {"rgb24.bmp", rgb, BitmapEncoding::Rgb24, RowOrder::BottomUp},
        {"rgb24-topdown.bmp", rgb, BitmapEncoding::Rgb24, RowOrder::TopDown},
        {"indexed8.bmp", indexed, BitmapEncoding::Indexed8, RowOrder::BottomUp},
        {"indexed4.bmp", indexed, BitmapEncoding::Indexed4, RowOrder::BottomUp},
        {"rle8.bmp", runs, BitmapEncoding::RunLength8, RowOrder::BottomUp},
        {"rle8-small.bmp", indexed, BitmapEncoding::RunLength8, RowOrder::BottomUp},
    };
    for (const Seed& s : seeds) {
        marquill::platform::FileSink sink(dir + "/" + s.name);
        if (!writeBitmap(sink, s.image, s.encoding, s.order) || !sink.close()) return 1;
    }
    BitmapImage mono{9, 2, std::vector<uint32_t>(18, 0), {0x000000, 0xFFFFFF}};
    mono.pixels[3] = 1;
    marquill::platform::FileSink sink(dir + "/indexed1.bmp");
    if (!writeBitmap(sink, mono, BitmapEncoding::Indexed1) || !sink.close()) return 1;
    return 0;
}
