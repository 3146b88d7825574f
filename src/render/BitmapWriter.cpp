#include "render/BitmapWriter.h"

#include <algorithm>

namespace marquill::render {

namespace {

void runLengthRow(std::vector<uint8_t>& out, const uint32_t* row, int32_t width) {
    int32_t x = 0;
    while (x < width) {
        int32_t run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        if (run >= 3 || width - x < 3) {
            out.push_back(uint8_t(run));
            out.push_back(uint8_t(row[x]));
            x += run;
            continue;
        }
        // A literal stretch up to the next run of three.
        int32_t n = 0;
        while (x + n < width && n < 255 &&
               !(x + n + 2 < width && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2]))
            ++n;
        if (n < 3) n = std::min(3, width - x);
        out.push_back(0);
        out.push_back(uint8_t(n));
        for (int32_t i = 0; i < n; ++i)
            out.push_back(uint8_t(row[x + i]));
        if (n & 1) out.push_back(0);
        x += n;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

bool writeBitmap(platform::ByteSink& sink, const BitmapImage& image, BitmapEncoding encoding,
                 RowOrder order) {
    const int32_t w = image.width, h = image.height;
    if (w <= 0 || h <= 0 || image.pixels.size() != size_t(w) * size_t(h)) return false;
    const uint16_t bits = encoding == BitmapEncoding::Rgb24      ? 24
                          : encoding == BitmapEncoding::Indexed1 ? 1
                          : encoding == BitmapEncoding::Indexed4 ? 4
                                                                 : 8;
    const size_t paletteSize = bits == 24 ? 0 : image.palette.size();
    if (bits != 24 && (paletteSize == 0 || paletteSize > (size_t{1} << bits))) return false;

    std::vector<uint8_t> data;
    const size_t rowBytes = (size_t(w) * bits + 31) / 32 * 4;
    for (int32_t i = 0; i < h; ++i) {
        const int32_t y = order == RowOrder::TopDown ? i : h - 1 - i;
        const uint32_t* row = image.pixels.data() + size_t(y) * size_t(w);
        if (encoding == BitmapEncoding::RunLength8) {
            runLengthRow(data, row, w);
            continue;
        }
        std::vector<uint8_t> out(rowBytes, 0);
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            switch (bits) {
                case 24:
                    out[size_t(x) * 3] = uint8_t(p);
                    out[size_t(x) * 3 + 1] = uint8_t(p >> 8);
                    out[size_t(x) * 3 + 2] = uint8_t(p >> 16);
                    break;
                case 8:
                    out[size_t(x)] = uint8_t(p);
                    break;
                case 4:
                    out[size_t(x) / 2] |= uint8_t((p & 15) << ((x & 1) ? 0 : 4));
                    break;
                default:
                    out[size_t(x) / 8] |= uint8_t((p & 1) << (7 - (x & 7)));
                    break;
            }
        }
        data.insert(data.end(), out.begin(), out.end());
    }
    if (encoding == BitmapEncoding::RunLength8) {
        data.push_back(0);
        data.push_back(1);
    }

    const uint32_t offset = uint32_t(14 + 40 + paletteSize * 4);
    sink.text("BM");
    sink.u32le(uint32_t(offset + data.size()));
    sink.u32le(0);
    sink.u32le(offset);
    sink.u32le(40);
    sink.i32le(w);
    sink.i32le(order == RowOrder::TopDown ? -h : h);
    sink.u16le(1);
    sink.u16le(bits);
    sink.u32le(encoding == BitmapEncoding::RunLength8 ? 1 : 0);
    sink.u32le(uint32_t(data.size()));
    sink.u32le(2835);
    sink.u32le(2835);
    sink.u32le(uint32_t(paletteSize));
    sink.u32le(0);
    for (size_t i = 0; i < paletteSize; ++i) {
        const uint32_t c = image.palette[i];
        const uint8_t entry[4] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0};
        sink.write(entry, 4);
    }
    sink.write(data.data(), data.size());
    return !sink.failed();
}

}  // namespace marquill::render
